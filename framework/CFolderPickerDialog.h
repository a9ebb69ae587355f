#pragma once

#include "CFileDialog.h"

// The file dialog choosing a folder.
class CFolderPickerDialog : public CFileDialog
{
    DECLARE_DYNAMIC(CFolderPickerDialog)

public:
    explicit CFolderPickerDialog(LPCWSTR lpszFolder = nullptr, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr,
                                 DWORD dwSize = 0, BOOL fNonFileSystemFolders = FALSE);

    CString GetFolderPath() const { return GetPathName(); }
};
