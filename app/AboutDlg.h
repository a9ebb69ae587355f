#pragma once

#include "Framework.h"
#include "resource.h"

// The about box: the program's description, notes on its output formats and two
// links that open web pages. It has no button; the close box, Esc and Enter end it.
// Callers show it as CAboutDlg(), a white background, DoModal.
class CAboutDlg : public CDialogEx
{
public:
    CAboutDlg() : CDialogEx(IDD_ABOUTBOX) {}
    ~CAboutDlg() override = default;

    enum { IDD = IDD_ABOUTBOX };

protected:
    BOOL OnInitDialog() override;
    // A click on either link opens its target; the box stays open.
    afx_msg void OnNMClickSyslink(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};
