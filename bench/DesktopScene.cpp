#include "DesktopScene.h"

#include <algorithm>
#include <cmath>

namespace {

uint32_t Rgb(int r, int g, int b) { return 0xFF000000u | r << 16 | g << 8 | b; }

// The parts of the desktop, in thousandths of its size.
struct Box
{
    int left, top, w, h;
};
constexpr Box kEditor{60, 60, 420, 700};
constexpr Box kVideo{520, 90, 400, 380};
constexpr Box kDragged{0, 560, 220, 260};

} // namespace

DesktopScene::DesktopScene(int width, int height)
    : m_w(width), m_h(height), m_background(width, height), m_picture(std::make_shared<fakes::Picture>(width, height))
{
    for (int i = 0; i < 256; ++i)
        m_sine[i] = static_cast<int>(std::lround(std::sin(i * 6.2831853 / 256) * 100));
    DrawBackground();
    m_picture->pixels = m_background.pixels;
}

void DesktopScene::DrawBackground()
{
    for (int y = 0; y < m_h; ++y) {
        const int shade = 40 + 80 * y / std::max(1, m_h);
        for (int x = 0; x < m_w; ++x)
            m_background.At(x, y) = Rgb(shade / 3, shade / 2 + 20 * x / std::max(1, m_w), shade + 40);
    }
    // The task bar.
    const int bar = std::max(1, m_h / 30);
    for (int y = m_h - bar; y < m_h; ++y)
        for (int x = 0; x < m_w; ++x)
            m_background.At(x, y) = Rgb(30, 32, 36);
    // The editor window with lines of text-like strokes.
    const int l = kEditor.left * m_w / 1000, t = kEditor.top * m_h / 1000;
    const int w = kEditor.w * m_w / 1000, h = kEditor.h * m_h / 1000;
    for (int y = t; y < t + h; ++y)
        for (int x = l; x < l + w; ++x)
            m_background.At(x, y) = y < t + 24 ? Rgb(60, 90, 160) : Rgb(250, 250, 250);
    for (int line = 0; t + 40 + line * 18 + 10 < t + h; ++line) {
        const int y0 = t + 40 + line * 18;
        const int length = (line * 7919 % 23 + 8) * w / 32;
        for (int y = y0; y < y0 + 10; ++y)
            for (int x = l + 12; x < std::min(l + 12 + length, l + w - 12); ++x)
                if ((x / 6 + line) % 5 != 0 && ((x * 31 + y * 17 + line) % 7) < 4)
                    m_background.At(x, y) = Rgb(20, 20, 30);
    }
}

void DesktopScene::RestoreBackground(int left, int top, int w, int h)
{
    for (int y = std::max(top, 0); y < std::min(top + h, m_h); ++y)
        for (int x = std::max(left, 0); x < std::min(left + w, m_w); ++x)
            m_picture->At(x, y) = m_background.At(x, y);
}

void DesktopScene::DrawWindow(int left, int top, int w, int h, uint32_t title)
{
    for (int y = std::max(top, 0); y < std::min(top + h, m_h); ++y)
        for (int x = std::max(left, 0); x < std::min(left + w, m_w); ++x)
            m_picture->At(x, y) = y < top + 24 ? title : ((x - left) / 40 + (y - top) / 40) % 2 ? Rgb(236, 236, 236)
                                                                                                   : Rgb(220, 224, 230);
}

// Smooth moving colour fields with a little grain: costly to encode, as video is.
void DesktopScene::DrawVideo(int64_t t)
{
    const int l = kVideo.left * m_w / 1000, top = kVideo.top * m_h / 1000;
    const int w = kVideo.w * m_w / 1000, h = kVideo.h * m_h / 1000;
    const int* sine = m_sine;
    uint32_t grain = static_cast<uint32_t>(t) * 2654435761u;
    for (int y = 0; y < h; ++y) {
        const int sy = sine[(y * 2 + t * 3) & 255];
        for (int x = 0; x < w; ++x) {
            grain = grain * 1103515245u + 12345u;
            const int n = static_cast<int>(grain >> 28);
            const int r = 128 + (sine[(x + t * 5) & 255] + sy) / 2 + n;
            const int g = 128 + (sine[(x / 2 + y + t * 2) & 255]) + n;
            const int b = 128 + (sine[(x + y + t) & 255] - sy) / 2 + n;
            m_picture->At(l + x, top + y) =
                Rgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
}

// One more character at the end of the editor's text every other frame.
void DesktopScene::DrawText(int64_t t)
{
    const int l = kEditor.left * m_w / 1000, top = kEditor.top * m_h / 1000;
    const int w = kEditor.w * m_w / 1000, h = kEditor.h * m_h / 1000;
    const int perLine = std::max(1, (w - 24) / 8);
    const int64_t chars = t / 2;
    const int lines = std::max(1, (h - 60) / 18);
    const int line = static_cast<int>(chars / perLine % lines);
    const int column = static_cast<int>(chars % perLine);
    const int x0 = l + 12 + column * 8;
    const int y0 = top + 40 + line * 18;
    for (int y = y0; y < y0 + 10 && y < m_h; ++y)
        for (int x = x0; x < x0 + 6 && x < m_w; ++x)
            m_picture->At(x, y) = ((x * 13 + y * 7 + static_cast<int>(chars)) % 5) < 3 ? Rgb(10, 10, 60)
                                                                                      : Rgb(250, 250, 250);
}

std::shared_ptr<const fakes::Picture> DesktopScene::Frame(int64_t index)
{
    const int w = kDragged.w * m_w / 1000, h = kDragged.h * m_h / 1000;
    const int top = kDragged.top * m_h / 1000;
    const int travel = std::max(1, m_w - w);
    const int x = static_cast<int>(index * std::max(1, m_w / 480) % travel);
    RestoreBackground(m_dragX, top, w, h);
    DrawVideo(index);
    DrawText(index);
    DrawWindow(x, top, w, h, 0xFF3C5AA0);
    m_dragX = x;
    return m_picture;
}
