#include "ToolDialog.h"

#include "FileExists.h"
#include "resource.h"

void OpenToolWindow(CDialogEx& dialog, CXPButton& browseFirst, CXPButton& browseSecond, CXPButton& start)
{
    browseFirst.ApplyStandardSetup(IDC_TOOL_BROWSE_FIRST, &dialog);
    browseSecond.ApplyStandardSetup(IDC_TOOL_BROWSE_SECOND, &dialog);
    start.ApplyStandardSetup(IDOK, &dialog);
}

void BrowseAndPair(CWnd& dialog, bool pickedFirst, Companions companions)
{
    const int ownField = pickedFirst ? IDC_TOOL_FIRST_PATH : IDC_TOOL_SECOND_PATH;
    const int otherField = pickedFirst ? IDC_TOOL_SECOND_PATH : IDC_TOOL_FIRST_PATH;
    CFileDialog picker(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, nullptr, 0, TRUE);
    if (picker.DoModal() == IDOK)
        dialog.SetDlgItemText(ownField, picker.GetPathName());
    for (const CString& candidate : companions(picker.GetPathName(), pickedFirst)) {
        if (FileExists(candidate)) {
            dialog.SetDlgItemText(otherField, candidate);
            return;
        }
    }
}

CString FieldText(const CWnd& dialog, int id)
{
    CString text;
    dialog.GetDlgItemText(id, text);
    return text;
}
