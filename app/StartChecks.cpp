#include "StartChecks.h"

#include <cwchar>
#include <direct.h>

namespace {

// Whether folder names an existing folder. The file search finds nothing for a
// text that ends in a backslash, and a drive's root has no entry of its own, so
// such texts are asked of the file attributes instead.
bool IsExistingFolder(const CString& folder)
{
    if (folder.IsEmpty())
        return false;
    if (folder[folder.GetLength() - 1] == L'\\') {
        const DWORD attributes = GetFileAttributesW(folder);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(folder, &data);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

bool OutputFolderReady(const CString& folder)
{
    // A search for a pattern succeeds on the entries it matches, "." among them,
    // so a text with a wildcard would pass for a folder that no file can be made in.
    // The long-path prefix carries a "?" of its own.
    LPCWSTR name = folder.GetString();
    if (wcsncmp(name, L"\\\\?\\", 4) == 0)
        name += 4;
    if (wcspbrk(name, L"*?"))
        return false;
    return IsExistingFolder(folder) || _wmkdir(folder) == 0;
}

bool RegionInMonitorPicture(const RECT& overlay, const RECT& desktop, RECT* region)
{
    region->left = overlay.left - desktop.left;
    region->right = overlay.right - desktop.left;
    region->top = overlay.top - desktop.top;
    region->bottom = overlay.bottom - desktop.top;
    return region->left >= 0 && region->top >= 0 && region->right <= desktop.right - desktop.left &&
           region->bottom <= desktop.bottom - desktop.top;
}

int FrameRateFromText(LPCWSTR text)
{
    return _wtoi(text);
}

bool FrameRateAccepted(int fps)
{
    return fps >= 10 && fps <= 120;
}
