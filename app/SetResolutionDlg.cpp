#include "SetResolutionDlg.h"

const ResolutionPreset SetResolutionDlg::kPresets[kPresetCount] = {
    {L"845x480", 854, 480},     {L"800X600", 800, 600},     {L"1024X768", 1024, 768},  {L"1280x720", 1280, 720},
    {L"1280x800", 1280, 800},   {L"1280x1024", 1280, 1024}, {L"1366x768", 1366, 768},  {L"1440x900", 1440, 900},
    {L"1600x900", 1600, 900},   {L"1920x1080", 1920, 1080}, {L"2560x1440", 2560, 1440}, {L"2560x1080", 2560, 1080},
    {L"3440x1440", 3440, 1440},
};

IMPLEMENT_DYNAMIC(SetResolutionDlg, CDialogEx)

BEGIN_MESSAGE_MAP(SetResolutionDlg, CDialogEx)
    ON_BN_CLICKED(IDOK, &SetResolutionDlg::OnBnClickedOk)
END_MESSAGE_MAP()

SetResolutionDlg::SetResolutionDlg() : CDialogEx(IDD_SETRESOLUTION)
{
    SetBackgroundColor(RGB(255, 255, 255), TRUE);
}

SetResolutionDlg::~SetResolutionDlg() = default;

BOOL SetResolutionDlg::OnInitDialog()
{
    m_btnOk.ApplyStandardSetup(IDOK, this);
    for (const ResolutionPreset& preset : kPresets)
        SendDlgItemMessage(IDC_PRESET_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(preset.label));
    SendDlgItemMessage(IDC_PRESET_LIST, CB_SETCURSEL, kInitialPreset);
    return TRUE;
}

void SetResolutionDlg::OnBnClickedOk()
{
    EndDialog(static_cast<int>(SendDlgItemMessage(IDC_PRESET_LIST, CB_GETCURSEL)));
}
