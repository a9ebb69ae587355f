#include "CFileDialog.h"

#include "Afx.h"
#include "CFolderPickerDialog.h"

#include <shobjidl.h>
#include <wrl/client.h>

#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

// "description|patterns|..." as the dialog's list of file types.
struct FileTypes
{
    explicit FileTypes(const CString& filter)
    {
        CString rest = filter;
        for (;;) {
            const int nameEnd = rest.Find(L'|');
            if (nameEnd < 0)
                break;
            const int specEnd = rest.Find(L'|', nameEnd + 1);
            if (specEnd < 0)
                break;
            texts.push_back(rest.Left(nameEnd));
            texts.push_back(rest.Mid(nameEnd + 1, specEnd - nameEnd - 1));
            rest = rest.Mid(specEnd + 1);
        }
        for (size_t i = 0; i + 1 < texts.size(); i += 2)
            specs.push_back(COMDLG_FILTERSPEC{texts[i].GetString(), texts[i + 1].GetString()});
    }
    std::vector<CString> texts;
    std::vector<COMDLG_FILTERSPEC> specs;
};

} // namespace

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)
IMPLEMENT_DYNAMIC(CFolderPickerDialog, CFileDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt, LPCWSTR lpszFileName, DWORD dwFlags,
                         LPCWSTR lpszFilter, CWnd* pParentWnd, DWORD, BOOL)
    : m_bOpenFileDialog(bOpenFileDialog), m_dwFlags(dwFlags), m_strDefExt(lpszDefExt),
      m_strFileName(lpszFileName), m_strFilter(lpszFilter)
{
    m_pParentWnd = pParentWnd;
}

CString CFileDialog::GetFileName() const
{
    return m_strPath.Mid(m_strPath.ReverseFind(L'\\') + 1);
}

INT_PTR CFileDialog::DoModal()
{
    m_strPath.Empty();
    ComPtr<IFileDialog> dialog;
    const CLSID& kind = m_bOpenFileDialog ? CLSID_FileOpenDialog : CLSID_FileSaveDialog;
    if (FAILED(CoCreateInstance(kind, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog))))
        return IDCANCEL;

    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    if (m_dwFlags & OFN_OVERWRITEPROMPT)
        options |= FOS_OVERWRITEPROMPT;
    if (m_dwFlags & OFN_FILEMUSTEXIST)
        options |= FOS_FILEMUSTEXIST;
    if (m_dwFlags & OFN_PATHMUSTEXIST)
        options |= FOS_PATHMUSTEXIST;
    if (m_dwFlags & OFN_NOCHANGEDIR)
        options |= FOS_NOCHANGEDIR;
    dialog->SetOptions(options | m_dwPickerOptions);
    if (!m_strDefExt.IsEmpty())
        dialog->SetDefaultExtension(m_strDefExt);
    if (!m_strFileName.IsEmpty())
        dialog->SetFileName(m_strFileName);
    const FileTypes types(m_strFilter);
    if (!types.specs.empty())
        dialog->SetFileTypes(static_cast<UINT>(types.specs.size()), types.specs.data());

    if (FAILED(dialog->Show(GetSafeOwner_(m_pParentWnd))))
        return IDCANCEL;
    ComPtr<IShellItem> result;
    if (FAILED(dialog->GetResult(&result)))
        return IDCANCEL;
    PWSTR path = nullptr;
    if (FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, &path)))
        return IDCANCEL;
    m_strPath = path;
    CoTaskMemFree(path);
    return IDOK;
}

CFolderPickerDialog::CFolderPickerDialog(LPCWSTR lpszFolder, DWORD dwFlags, CWnd* pParentWnd, DWORD dwSize,
                                         BOOL fNonFileSystemFolders)
    : CFileDialog(TRUE, nullptr, lpszFolder, dwFlags, nullptr, pParentWnd, dwSize)
{
    m_dwPickerOptions = FOS_PICKFOLDERS | (fNonFileSystemFolders ? 0u : static_cast<DWORD>(FOS_FORCEFILESYSTEM));
}
