#pragma once

#include "Framework.h"
#include "XPButton.h"
#include "resource.h"

// The MKV packing tool: packs a video stream and/or a sound file into an MKV
// file next to the video (or the sound), streams copied, through the converter.
class MKVMUX : public CDialogEx
{
    DECLARE_DYNAMIC(MKVMUX)

public:
    MKVMUX();
    ~MKVMUX() override;

    enum { IDD = IDD_MKVMUX };

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
