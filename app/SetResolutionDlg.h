#pragma once

#include "Framework.h"
#include "XPButton.h"
#include "resource.h"

// One row of the preset picker: its label and the client size it stands for.
struct ResolutionPreset
{
    const wchar_t* label;
    int width;
    int height;
};

// The preset-size picker of the region overlay. DoModal returns the chosen row
// (0 to 12) after OK or Enter, IDCANCEL (2, also the row of "1024X768") after
// Esc or the close box, and -1 when the dialog cannot be created.
class SetResolutionDlg : public CDialogEx
{
    DECLARE_DYNAMIC(SetResolutionDlg)

public:
    SetResolutionDlg();
    ~SetResolutionDlg() override;

    enum { IDD = IDD_SETRESOLUTION };

    static constexpr int kPresetCount = 13;
    // The row selected when the picker opens: "1280x720".
    static constexpr int kInitialPreset = 3;
    // The rows in list order. The first label reads 845 while its width is 854.
    static const ResolutionPreset kPresets[kPresetCount];

    CXPButton m_btnOk;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnBnClickedOk();

    DECLARE_MESSAGE_MAP()
};
