#include "MKVMUX.h"

#include "ToolCommands.h"
#include "ToolDialog.h"

IMPLEMENT_DYNAMIC(MKVMUX, CDialogEx)

BEGIN_MESSAGE_MAP(MKVMUX, CDialogEx)
    ON_BN_CLICKED(IDOK, &MKVMUX::OnBnClickedOk)
    ON_BN_CLICKED(IDC_TOOL_BROWSE_FIRST, &MKVMUX::OnBnClickedBrowseVideo)
    ON_BN_CLICKED(IDC_TOOL_BROWSE_SECOND, &MKVMUX::OnBnClickedBrowseAudio)
END_MESSAGE_MAP()

MKVMUX::MKVMUX() : CDialogEx(IDD_MKVMUX)
{
    SetBackgroundColor(RGB(255, 255, 255), TRUE);
}

MKVMUX::~MKVMUX() = default;

BOOL MKVMUX::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    OpenToolWindow(*this, m_btnBrowseVideo, m_btnBrowseAudio, m_btnStart, true);
    return TRUE;
}

void MKVMUX::OnBnClickedOk()
{
    StartVideoTool(*this, PackCommandTail, L"你是不是不想封装？");
}

void MKVMUX::OnBnClickedBrowseVideo()
{
    BrowseVideoToolField(*this, true);
}

void MKVMUX::OnBnClickedBrowseAudio()
{
    BrowseVideoToolField(*this, false);
}
