#pragma once

#include "CDialog.h"

// A dialog that can paint its background, and its static texts', in one colour.
class CDialogEx : public CDialog
{
    DECLARE_DYNAMIC(CDialogEx)

public:
    CDialogEx() = default;
    explicit CDialogEx(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : CDialog(nIDTemplate, pParentWnd) {}

    // (COLORREF)-1 goes back to the system's dialog colour. With bRepaint, a
    // shown dialog is repainted at once.
    void SetBackgroundColor(COLORREF color, BOOL bRepaint = TRUE);

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    CBrush m_brBkgr;

    DECLARE_MESSAGE_MAP()
};
