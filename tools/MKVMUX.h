#pragma once

#include "VideoToolDialog.h"
#include "resource.h"

// The MKV packing tool: packs a video stream and/or a sound file into an MKV
// file next to the video (or the sound), streams copied, through the converter.
// Its buttons, opening and browse buttons are those of VideoToolDialog.
class MKVMUX : public VideoToolDialog
{
    DECLARE_DYNAMIC(MKVMUX)

public:
    MKVMUX();
    ~MKVMUX() override;

    enum { IDD = IDD_MKVMUX };

protected:
    afx_msg void OnBnClickedOk();

    DECLARE_MESSAGE_MAP()
};
