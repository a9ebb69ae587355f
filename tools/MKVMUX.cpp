#include "MKVMUX.h"

#include "ToolCommands.h"

// VideoToolDialog has no runtime class of its own: the tool's base is CDialogEx.
IMPLEMENT_DYNAMIC(MKVMUX, CDialogEx)

BEGIN_MESSAGE_MAP(MKVMUX, VideoToolDialog)
    ON_BN_CLICKED(IDOK, &MKVMUX::OnBnClickedOk)
    ON_BN_CLICKED(IDC_TOOL_BROWSE_FIRST, &MKVMUX::OnBnClickedBrowseVideo)
    ON_BN_CLICKED(IDC_TOOL_BROWSE_SECOND, &MKVMUX::OnBnClickedBrowseAudio)
END_MESSAGE_MAP()

MKVMUX::MKVMUX() : VideoToolDialog(IDD_MKVMUX) {}

MKVMUX::~MKVMUX() = default;

void MKVMUX::OnBnClickedOk()
{
    StartConverter(PackCommandTail, L"你是不是不想封装？");
}
