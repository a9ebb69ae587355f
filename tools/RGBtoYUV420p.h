#pragma once

#include "VideoToolDialog.h"
#include "resource.h"

// The MP4 transcode tool: transcodes a recording's video and/or sound into an
// MP4 file (H.264 4:2:0, AAC) next to it through the converter. Start hides the
// window first. Its buttons, opening and browse buttons are those of
// VideoToolDialog.
class RGBtoYUV420p : public VideoToolDialog
{
    DECLARE_DYNAMIC(RGBtoYUV420p)

public:
    RGBtoYUV420p();
    ~RGBtoYUV420p() override;

    enum { IDD = IDD_RGBTOYUV420P };

protected:
    afx_msg void OnBnClickedOk();

    DECLARE_MESSAGE_MAP()
};
