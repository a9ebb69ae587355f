#pragma once

#include "FakeSystem.h"

#include <atomic>
#include <functional>
#include <memory>

namespace fakes {

// A desktop whose content changes at every refresh: a new frame every 1/hz
// seconds of the clock, counted from the first acquire. An acquire returns at
// once when a frame has come since the last one, waits for the next one when it
// comes within the time-out, and times out otherwise. Serves as the fake
// system's whenScriptEnds.
class LiveDesktop
{
public:
    using FrameSource = std::function<std::shared_ptr<const Picture>(int64_t index)>;
    using PointerPath = std::function<POINT(int64_t index)>;

    LiveDesktop(Clock& clock, double hz, FrameSource source);

    // The pointer: visible, with this shape (sent with the first frame), moving
    // along the path.
    void SetPointer(std::shared_ptr<const PointerShape> shape, PointerPath path);

    AcquireStep Next(UINT timeoutMs);
    // Frames handed out so far.
    int64_t FramesShown() const { return m_shown; }

private:
    Clock& m_clock;
    double m_period;
    FrameSource m_source;
    std::shared_ptr<const PointerShape> m_shape;
    PointerPath m_path;
    int64_t m_start = -1;
    int64_t m_last = -1;
    std::atomic<int64_t> m_shown{0};  // read by tests on other threads
};

} // namespace fakes
