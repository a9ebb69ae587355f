#include "AboutDlg.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialogEx)
    ON_NOTIFY(NM_CLICK, IDC_LINK_WEIBO, &CAboutDlg::OnNMClickSyslink)
    ON_NOTIFY(NM_CLICK, IDC_LINK_UPDATE, &CAboutDlg::OnNMClickSyslink)
END_MESSAGE_MAP()

BOOL CAboutDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    return TRUE;
}

void CAboutDlg::OnNMClickSyslink(NMHDR* pNMHDR, LRESULT* pResult)
{
    // A target that cannot be opened is left alone: the box shows nothing.
    const auto* link = reinterpret_cast<const NMLINK*>(pNMHDR);
    ShellExecuteW(nullptr, L"open", link->item.szUrl, nullptr, nullptr, SW_SHOWNORMAL);
    *pResult = 0;
}
