#include "FileExists.h"

bool FileExists(const CString& path)
{
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(path, &data);
    const bool found = search != INVALID_HANDLE_VALUE;
    if (found)
        FindClose(search);
    return found;
}
