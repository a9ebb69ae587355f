#pragma once

#include "ControlsTestResources.h"
#include "XPButton.h"

// A flat button whose GDI objects and drawing the tests can reach.
class InspectableButton : public CXPButton
{
public:
    using CXPButton::DrawItem;
    HGDIOBJ Pen() const { return m_pen.m_hObject; }
    HGDIOBJ NormalBrush() const { return m_brNormal.m_hObject; }
    HGDIOBJ HighlightBrush() const { return m_brHighlight.m_hObject; }
};

// A white dialog with a button in the standard set-up and one as constructed.
class ButtonHost : public CDialogEx
{
public:
    ButtonHost() : CDialogEx(IDD_BUTTON_HOST) { SetBackgroundColor(RGB(255, 255, 255)); }

    InspectableButton standard;
    InspectableButton factory;

protected:
    BOOL OnInitDialog() override
    {
        CDialogEx::OnInitDialog();
        standard.ApplyStandardSetup(IDC_STANDARD_BUTTON, this);
        factory.SubclassDlgItem(IDC_FACTORY_BUTTON, this);
        return TRUE;
    }
};
