#include "FramePacing.h"

namespace {
constexpr int64_t kUnitsPerSecond = 10'000'000;
}

SlotTiming SlotTiming::ForFrameRate(int fps)
{
    SlotTiming timing;
    timing.interval = kUnitsPerSecond / fps;
    timing.lateLimit = static_cast<int64_t>(fps * 0.5);
    timing.acquireTimeoutMs = static_cast<unsigned>(1000 / fps + 10);
    return timing;
}

int64_t ElapsedHundredNs(int64_t now, int64_t start, int64_t frequency)
{
    // Whole seconds and the remainder apart: counts times 10^7 would overflow
    // after a day at a 10 MHz counter, and after minutes at a GHz one.
    const int64_t counts = now - start;
    const int64_t seconds = counts / frequency;
    const int64_t rest = counts % frequency;
    return seconds * kUnitsPerSecond + rest * kUnitsPerSecond / frequency;
}

SlotState ClassifySlot(int64_t t, int64_t n, const SlotTiming& timing)
{
    const int64_t begin = n * timing.interval;
    const int64_t end = begin + timing.interval;
    if (begin <= t && t < end)
        return SlotState::InSlot;
    if (t >= (n + timing.lateLimit) * timing.interval)
        return SlotState::TooLate;
    if (t >= end)
        return SlotState::Late;
    return SlotState::Early;
}
