#include "VideoToolDialog.h"

#include "LaunchConverter.h"
#include "ToolCommands.h"
#include "ToolDialog.h"
#include "resource.h"

namespace {

// The rate option of the rate list: none while its first item is selected,
// otherwise the list's text as typed or picked.
std::optional<CString> ChosenRate(const CWnd& dialog)
{
    if (dialog.SendDlgItemMessage(IDC_TOOL_RATE, CB_GETCURSEL) == 0)
        return std::nullopt;
    return FieldText(dialog, IDC_TOOL_RATE);
}

} // namespace

VideoToolDialog::VideoToolDialog(UINT templateId) : CDialogEx(templateId)
{
    SetBackgroundColor(RGB(255, 255, 255), TRUE);
}

VideoToolDialog::~VideoToolDialog() = default;

BOOL VideoToolDialog::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    OpenToolWindow(*this, m_btnBrowseVideo, m_btnBrowseAudio, m_btnStart);
    SendDlgItemMessage(IDC_TOOL_RATE, CB_SETCURSEL, 0);
    return TRUE;
}

void VideoToolDialog::OnBnClickedBrowseVideo()
{
    BrowseAndPair(*this, true, VideoToolCompanions);
}

void VideoToolDialog::OnBnClickedBrowseAudio()
{
    BrowseAndPair(*this, false, VideoToolCompanions);
}

void VideoToolDialog::StartConverter(CommandTail tail, LPCWSTR refusal)
{
    const std::optional<CString> video = GivenPath(FieldText(*this, IDC_TOOL_FIRST_PATH));
    const std::optional<CString> audio = GivenPath(FieldText(*this, IDC_TOOL_SECOND_PATH));
    const std::optional<CString> rate = ChosenRate(*this);
    if (!video && !audio) {
        MessageBox(refusal, L"错误", MB_OK);
        return;
    }
    if (!LaunchConverter(tail(video, audio, rate)))
        MessageBox(L"你是不是没有把ffmpeg.exe跟本软件放在一起啊", L"失败", MB_OK);
}
