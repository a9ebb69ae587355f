#pragma once

#include "Framework.h"
#include "XPButton.h"

#include <optional>

// What the MKV and the MP4 tool share: their three flat buttons, the opening
// with the rate list at "0", the two browse buttons and the Start that each
// runs with its own tail and refusal. It has no runtime class or message map of
// its own: each tool names itself, stands on CDialogEx and maps its buttons.
class VideoToolDialog : public CDialogEx
{
public:
    ~VideoToolDialog() override;

    CXPButton m_btnBrowseVideo;
    CXPButton m_btnBrowseAudio;
    CXPButton m_btnStart;

protected:
    explicit VideoToolDialog(UINT templateId);

    BOOL OnInitDialog() override;
    afx_msg void OnBnClickedBrowseVideo();
    afx_msg void OnBnClickedBrowseAudio();

    // The two paths and the rate read now; when neither path is given, the
    // refusal; otherwise the converter with the tail that tail builds, or the
    // message that it cannot be started.
    using CommandTail = CString (*)(const std::optional<CString>& video, const std::optional<CString>& audio,
                                    const std::optional<CString>& rate);
    void StartConverter(CommandTail tail, LPCWSTR refusal);
};
