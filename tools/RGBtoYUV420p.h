#pragma once

#include "Framework.h"
#include "XPButton.h"
#include "resource.h"

// The MP4 transcode tool: transcodes a recording's video and/or sound into an
// MP4 file (H.264 4:2:0, AAC) next to it through the converter. Start hides the
// window first.
class RGBtoYUV420p : public CDialogEx
{
    DECLARE_DYNAMIC(RGBtoYUV420p)

public:
    RGBtoYUV420p();
    ~RGBtoYUV420p() override;

    enum { IDD = IDD_RGBTOYUV420P };

    CXPButton m_btnBrowseVideo;
    CXPButton m_btnBrowseAudio;
    CXPButton m_btnStart;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnBnClickedOk();
    afx_msg void OnBnClickedBrowseVideo();
    afx_msg void OnBnClickedBrowseAudio();

    DECLARE_MESSAGE_MAP()
};
