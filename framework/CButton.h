#pragma once

#include "CWnd.h"

// A push button, check box or radio button. An owner-drawn one gets the
// WM_DRAWITEM of its parent back in DrawItem.
class CButton : public CWnd
{
    DECLARE_DYNAMIC(CButton)

public:
    CButton() = default;
    ~CButton() override = default;

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, static_cast<WPARAM>(bHighlight)); }

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    DECLARE_MESSAGE_MAP()
};
