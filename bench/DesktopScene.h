#pragma once

#include "FakeSystem.h"

#include <memory>

// A changing desktop-like picture for the benchmark: a still background with
// windows, one window playing a video, a window being dragged across and a line
// of text growing, as a working desktop shows them. Frames are made in place.
class DesktopScene
{
public:
    DesktopScene(int width, int height);
    // The desktop as it looks at frame index (called with rising indexes).
    std::shared_ptr<const fakes::Picture> Frame(int64_t index);

private:
    void DrawBackground();
    void RestoreBackground(int left, int top, int w, int h);
    void DrawWindow(int left, int top, int w, int h, uint32_t title);
    void DrawVideo(int64_t t);
    void DrawText(int64_t t);

    int m_w;
    int m_h;
    fakes::Picture m_background;
    std::shared_ptr<fakes::Picture> m_picture;
    int m_dragX = 0;
    int m_sine[256];
};
