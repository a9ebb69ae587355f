#include "AUDIOMUX.h"

#include "LaunchConverter.h"
#include "ToolCommands.h"
#include "ToolDialog.h"

IMPLEMENT_DYNAMIC(AUDIOMUX, CDialogEx)

BEGIN_MESSAGE_MAP(AUDIOMUX, CDialogEx)
    ON_BN_CLICKED(IDOK, &AUDIOMUX::OnBnClickedOk)
    ON_BN_CLICKED(IDC_TOOL_BROWSE_FIRST, &AUDIOMUX::OnBnClickedBrowseSystemAudio)
    ON_BN_CLICKED(IDC_TOOL_BROWSE_SECOND, &AUDIOMUX::OnBnClickedBrowseMic)
END_MESSAGE_MAP()

AUDIOMUX::AUDIOMUX() : CDialogEx(IDD_AUDIOMUX)
{
    SetBackgroundColor(RGB(255, 255, 255), TRUE);
}

AUDIOMUX::~AUDIOMUX() = default;

BOOL AUDIOMUX::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    OpenToolWindow(*this, m_btnBrowseSystemAudio, m_btnBrowseMic, m_btnStart);
    return TRUE;
}

void AUDIOMUX::OnBnClickedOk()
{
    const CString systemAudio = FieldText(*this, IDC_TOOL_FIRST_PATH);
    const CString mic = FieldText(*this, IDC_TOOL_SECOND_PATH);
    if (!HoldsPath(systemAudio) || !HoldsPath(mic)) {
        MessageBox(L"混音要两个音频啊！", L"错误", MB_OK);
        return;
    }
    if (!LaunchConverter(MixCommandTail(systemAudio, mic)))
        MessageBox(L"你是不是没有把ffmpeg.exe跟本软件放在一起啊？", L"错误", MB_OK);
}

void AUDIOMUX::OnBnClickedBrowseSystemAudio()
{
    BrowseAndPair(*this, true, MixCompanions);
}

void AUDIOMUX::OnBnClickedBrowseMic()
{
    BrowseAndPair(*this, false, MixCompanions);
}
