#include "LiveDesktop.h"

#include <cmath>

namespace fakes {

LiveDesktop::LiveDesktop(Clock& clock, double hz, FrameSource source)
    : m_clock(clock), m_period(clock.Frequency() / hz), m_source(std::move(source))
{
}

void LiveDesktop::SetPointer(std::shared_ptr<const PointerShape> shape, PointerPath path)
{
    m_shape = std::move(shape);
    m_path = std::move(path);
}

AcquireStep LiveDesktop::Next(UINT timeoutMs)
{
    const int64_t now = m_clock.Now();
    if (m_start < 0)
        m_start = now;
    const int64_t due = static_cast<int64_t>(std::floor((now - m_start) / m_period));
    int64_t frame = due;
    int64_t wait = 0;
    if (due <= m_last) {
        frame = m_last + 1;
        wait = m_start + static_cast<int64_t>(std::ceil(frame * m_period)) - now;
        if (wait > m_clock.TicksFromMs(timeoutMs))
            return TimedOut();
    }
    AcquireStep step = NewFrame(m_source(frame));
    step.waitTicks = wait;
    if (m_shape) {
        step.pointerVisible = true;
        step.pointerPosition = m_path ? m_path(frame) : POINT{0, 0};
        step.lastMouseUpdateTime = now + wait;
        if (m_shown == 0)
            step.shape = m_shape;
    }
    m_last = frame;
    ++m_shown;
    return step;
}

} // namespace fakes
