#pragma once

#include "Clock.h"

namespace fakes {

// The performance counter, for recordings in real time. Waits sleep for most of
// the time and poll the counter for the last part, as a desktop that wakes its
// waiter at the refresh would.
class RealClock : public Clock
{
public:
    RealClock();
    int64_t Now() override;
    int64_t Frequency() const override { return m_frequency; }
    void WaitUntil(int64_t t) override;

private:
    int64_t m_frequency = 1;
};

} // namespace fakes
