#pragma once

#include <cstdint>

namespace fakes {

// The time the fakes run on: the fake clock, which they move on themselves, or
// the performance counter when a recording runs in real time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual int64_t Now() = 0;
    virtual int64_t Frequency() const = 0;
    // Returns once Now() has reached t.
    virtual void WaitUntil(int64_t t) = 0;

    int64_t TicksFromMs(double ms) const { return static_cast<int64_t>(ms * Frequency() / 1000.0); }
};

} // namespace fakes
