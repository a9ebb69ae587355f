#include "CDialogEx.h"

IMPLEMENT_DYNAMIC(CDialogEx, CDialog)

BEGIN_MESSAGE_MAP(CDialogEx, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

void CDialogEx::SetBackgroundColor(COLORREF color, BOOL bRepaint)
{
    m_brBkgr.DeleteObject();
    if (color != static_cast<COLORREF>(-1))
        m_brBkgr.CreateSolidBrush(color);
    if (bRepaint && m_hWnd) {
        Invalidate();
        UpdateWindow();
    }
}

BOOL CDialogEx::OnEraseBkgnd(CDC* pDC)
{
    if (!m_brBkgr.GetSafeHandle())
        return CDialog::OnEraseBkgnd(pDC);
    CRect client;
    GetClientRect(client);
    pDC->FillRect(client, &m_brBkgr);
    return TRUE;
}

HBRUSH CDialogEx::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (!m_brBkgr.GetSafeHandle())
        return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    switch (nCtlColor) {
    case CTLCOLOR_STATIC:
    case CTLCOLOR_BTN:
        // Texts, check boxes and links stand on the dialog's colour.
        pDC->SetBkMode(TRANSPARENT);
        return m_brBkgr;
    case CTLCOLOR_DLG:
        return m_brBkgr;
    default:
        return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    }
}
