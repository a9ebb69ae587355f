#include "RGBtoYUV420p.h"

#include "ToolCommands.h"
#include "ToolDialog.h"

IMPLEMENT_DYNAMIC(RGBtoYUV420p, CDialogEx)

BEGIN_MESSAGE_MAP(RGBtoYUV420p, CDialogEx)
    ON_BN_CLICKED(IDOK, &RGBtoYUV420p::OnBnClickedOk)
    ON_BN_CLICKED(IDC_TOOL_BROWSE_FIRST, &RGBtoYUV420p::OnBnClickedBrowseVideo)
    ON_BN_CLICKED(IDC_TOOL_BROWSE_SECOND, &RGBtoYUV420p::OnBnClickedBrowseAudio)
END_MESSAGE_MAP()

RGBtoYUV420p::RGBtoYUV420p() : CDialogEx(IDD_RGBTOYUV420P)
{
    SetBackgroundColor(RGB(255, 255, 255), TRUE);
}

RGBtoYUV420p::~RGBtoYUV420p() = default;

BOOL RGBtoYUV420p::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    OpenToolWindow(*this, m_btnBrowseVideo, m_btnBrowseAudio, m_btnStart, true);
    return TRUE;
}

void RGBtoYUV420p::OnBnClickedOk()
{
    // The window hides before anything else, the refusal included.
    CDialogEx::OnOK();
    StartVideoTool(*this, TranscodeCommandTail, L"我猜你似乎不想转码。");
}

void RGBtoYUV420p::OnBnClickedBrowseVideo()
{
    BrowseVideoToolField(*this, true);
}

void RGBtoYUV420p::OnBnClickedBrowseAudio()
{
    BrowseVideoToolField(*this, false);
}
