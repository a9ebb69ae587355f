#include "XPButton.h"

namespace {

constexpr COLORREF kFactoryHighlightBk = RGB(41, 88, 122);
constexpr COLORREF kHighlightFrame = RGB(86, 157, 229);
constexpr COLORREF kNormalFrame = RGB(128, 128, 128);
// Room for 259 characters of caption and the terminator.
constexpr int kCaptionBuffer = 260;

} // namespace

BEGIN_MESSAGE_MAP(CXPButton, CButton)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CXPButton::CXPButton()
{
    SetHighlightBkColor(kFactoryHighlightBk);
    SetNormalBkColor(GetSysColor(COLOR_BTNFACE));
    SetNormalTextColor(RGB(0, 0, 0));
    SetHighlightTextColor(RGB(0, 0, 0));
}

CXPButton::~CXPButton()
{
    m_pen.DeleteObject();
    m_brNormal.DeleteObject();
    m_brHighlight.DeleteObject();
}

void CXPButton::ApplyStandardSetup(UINT nID, CWnd* pDialog)
{
    if (CWnd* pControl = pDialog->GetDlgItem(static_cast<int>(nID)))
        pControl->ModifyStyle(0, BS_OWNERDRAW);
    SubclassDlgItem(nID, pDialog);
    SetHighlightBkColor(RGB(250, 250, 250));
    SetNormalBkColor(RGB(255, 255, 255));
    SetNormalTextColor(RGB(0, 0, 0));
    SetHighlightTextColor(RGB(0, 0, 0));
    SetStickyHighlight(FALSE);
}

void CXPButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    ModifyStyle(0, BS_OWNERDRAW);
}

BOOL CXPButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CXPButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CRect rect = lpDrawItemStruct->rcItem;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const int savedDC = pDC->SaveDC();

    wchar_t caption[kCaptionBuffer] = {};
    ::GetWindowTextW(m_hWnd, caption, kCaptionBuffer);

    const bool pressed = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    if (pressed)
        m_bHighlighted = TRUE;
    else if (!m_bStickyHighlight)
        m_bHighlighted = FALSE;

    const COLORREF fill = m_bHighlighted ? m_crHighlightBk : m_crNormalBk;
    CBrush& brush = m_bHighlighted ? m_brHighlight : m_brNormal;
    pDC->SetTextColor(m_bHighlighted ? m_crHighlightText : m_crNormalText);

    // One brush and one pen per draw; the previous draw's are deleted first.
    brush.DeleteObject();
    brush.CreateSolidBrush(fill);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    m_pen.DeleteObject();
    m_pen.CreatePen(PS_INSIDEFRAME, 1, fill);
    CPen* pOldPen = pDC->SelectObject(&m_pen);
    pDC->RoundRect(rect, CPoint(0, 0));
    pDC->SelectObject(pOldPen);

    CBrush frame(m_bHighlighted ? kHighlightFrame : kNormalFrame);
    pDC->FrameRect(rect, &frame);
    frame.DeleteObject();

    rect.DeflateRect(GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE));
    CFont* pOldFont = pDC->SelectObject(GetFont());
    const CSize extent = pDC->GetTextExtent(caption, lstrlenW(caption));
    int x = (rect.left + rect.right) / 2 - extent.cx / 2;
    int y = (rect.top + rect.bottom) / 2 - extent.cy / 2;
    if (pressed) {
        ++x;
        ++y;
    }
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const UINT state = (lpDrawItemStruct->itemState & ODS_DISABLED) ? DSS_DISABLED : 0;
    ::DrawStateW(pDC->m_hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(caption), 0, x, y, extent.cx, extent.cy,
                 DST_PREFIXTEXT | state);

    pDC->SelectObject(pOldFont);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(pOldBrush);
    pDC->RestoreDC(savedDC);
}
