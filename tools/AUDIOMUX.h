#pragma once

#include "Framework.h"
#include "XPButton.h"
#include "resource.h"

// The sound mix tool: mixes a recording's system sound and microphone files
// into one FLAC file next to the system sound, through the converter.
class AUDIOMUX : public CDialogEx
{
    DECLARE_DYNAMIC(AUDIOMUX)

public:
    AUDIOMUX();
    ~AUDIOMUX() override;

    enum { IDD = IDD_AUDIOMUX };

    CXPButton m_btnBrowseSystemAudio;
    CXPButton m_btnBrowseMic;
    CXPButton m_btnStart;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnBnClickedOk();
    afx_msg void OnBnClickedBrowseSystemAudio();
    afx_msg void OnBnClickedBrowseMic();

    DECLARE_MESSAGE_MAP()
};
