#include "RGBtoYUV420p.h"

#include "ToolCommands.h"

// VideoToolDialog has no runtime class of its own: the tool's base is CDialogEx.
IMPLEMENT_DYNAMIC(RGBtoYUV420p, CDialogEx)

BEGIN_MESSAGE_MAP(RGBtoYUV420p, VideoToolDialog)
    ON_BN_CLICKED(IDOK, &RGBtoYUV420p::OnBnClickedOk)
    ON_BN_CLICKED(IDC_TOOL_BROWSE_FIRST, &RGBtoYUV420p::OnBnClickedBrowseVideo)
    ON_BN_CLICKED(IDC_TOOL_BROWSE_SECOND, &RGBtoYUV420p::OnBnClickedBrowseAudio)
END_MESSAGE_MAP()

RGBtoYUV420p::RGBtoYUV420p() : VideoToolDialog(IDD_RGBTOYUV420P) {}

RGBtoYUV420p::~RGBtoYUV420p() = default;

void RGBtoYUV420p::OnBnClickedOk()
{
    // The window hides before anything else, the refusal included.
    CDialogEx::OnOK();
    StartConverter(TranscodeCommandTail, L"我猜你似乎不想转码。");
}
