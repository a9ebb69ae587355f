#pragma once

#include "Framework.h"

// The flat push button of every dialog: a filled rectangle with a one-pixel
// frame and a centred caption, in a normal and a highlight colour set. A press
// highlights it; with sticky highlight the first press keeps it highlighted.
class CXPButton : public CButton
{
public:
    CXPButton();
    ~CXPButton() override;

    // Each setter repaints a shown button in the new colour.
    void SetHighlightBkColor(COLORREF color) { m_crHighlightBk = color; Repaint(); }
    void SetNormalBkColor(COLORREF color) { m_crNormalBk = color; Repaint(); }
    void SetNormalTextColor(COLORREF color) { m_crNormalText = color; Repaint(); }
    void SetHighlightTextColor(COLORREF color) { m_crHighlightText = color; Repaint(); }
    void SetStickyHighlight(BOOL bSticky) { m_bStickyHighlight = bSticky; }

    // The standard set-up of a dialog's template button nID: owner-drawn and
    // subclassed into this object, white with a black caption, light grey with a
    // blue frame only while pressed.
    void ApplyStandardSetup(UINT nID, CWnd* pDialog);

protected:
    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // DrawItem paints every pixel, so nothing is erased first (no flicker).
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    CPen m_pen;
    BOOL m_bStickyHighlight = TRUE;
    BOOL m_bHighlighted = FALSE;
    COLORREF m_crHighlightBk = 0;
    COLORREF m_crNormalBk = 0;
    COLORREF m_crNormalText = 0;
    COLORREF m_crHighlightText = 0;
    CBrush m_brNormal;
    CBrush m_brHighlight;

    DECLARE_MESSAGE_MAP()

private:
    void Repaint()
    {
        if (m_hWnd)
            InvalidateRect(nullptr, TRUE);
    }
};
