#include "RecordingNames.h"

CString FolderWithBackslash(const CString& folder)
{
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] == L'\\')
        return folder;
    return folder + L'\\';
}

CString RecordingBaseName(const CString& folderWithBackslash, const CTime& start)
{
    return folderWithBackslash + L"Glintcast_Record - " + start.Format(L"%Y_%m_%d_%H_%M_%S");
}
