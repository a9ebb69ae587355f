// The options of the next recording: the output folder, the region overlay, the
// record-screen option and the time limit.
#include "GlintcastDlg.h"

#include "RecordingClock.h"
#include "SetResolutionDlg.h"
#include "SetTimeDlg.h"

void CGlintcastDlg::OnBnClickedBrowseOutput()
{
    CFolderPickerDialog picker(nullptr, 0, this, 0, FALSE);
    if (picker.DoModal() == IDOK)
        SetDlgItemText(IDC_OUTPUT_DIR, picker.GetFolderPath());
}

void CGlintcastDlg::OnBnClickedSelectRegion()
{
    if (m_pRegionDlg->IsWindowVisible())
        return;
    SetResolutionDlg picker;
    const INT_PTR row = picker.DoModal();
    // A window hidden by an earlier use is replaced by a new one.
    m_pRegionDlg->Create(IDD_REGION);
    m_pRegionDlg->ShowWindow(SW_SHOW);
    if (row >= 0 && row < SetResolutionDlg::kPresetCount) {
        const ResolutionPreset& preset = SetResolutionDlg::kPresets[row];
        m_pRegionDlg->SetClientSize(preset.width, preset.height);
    }
}

void CGlintcastDlg::OnBnClickedRecordScreen()
{
    const BOOL on = IsDlgButtonChecked(IDC_RECORD_SCREEN) == BST_CHECKED;
    for (int id : {IDC_FRAME_RATE, IDC_DRAW_CURSOR, IDC_SELECT_REGION})
        GetDlgItem(id)->EnableWindow(on);
    if (!on && m_pRegionDlg->IsWindowVisible())
        m_pRegionDlg->EndDialog(0);
}

void CGlintcastDlg::OnBnClickedSetTime()
{
    SetTimeDlg dlg;
    const INT_PTR seconds = dlg.DoModal();
    if (dlg.IsConfirmed()) {
        m_nTimeSeconds = static_cast<UINT>(seconds);
        // "00:00:00" means no limit: a running countdown counts up from 0 until a
        // new limit comes, which it counts down again.
        m_bLimitLifted = m_nTimeSeconds == 0;
    }
    SetDlgItemText(IDC_TIME_DISPLAY, FormatCounter(m_nTimeSeconds));
}
