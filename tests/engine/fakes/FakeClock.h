#pragma once

#include "Clock.h"

#include <atomic>
#include <cstdint>

namespace fakes {

// A performance counter that only moves when the fakes say so: waits of the fake
// duplication move it, and so does every read, by a small step that stands for
// the loop's own work between two reads. While it lives it is the counter that
// the engine reads through Hooks().
class FakeClock : public Clock
{
public:
    explicit FakeClock(int64_t frequency = 10'000'000, int64_t start = 987'654'321);
    ~FakeClock() override;
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    int64_t Now() override { return m_now; }
    int64_t Frequency() const override { return m_frequency; }
    void WaitUntil(int64_t t) override;
    void Advance(int64_t ticks) { WaitUntil(m_now + ticks); }
    // A read of the counter, as the engine makes it through Hooks().
    int64_t Read();

    // Every counter read moves the clock on by this much (default 100 us).
    void SetReadStep(int64_t ticks) { m_readStep = ticks; }
    // Sets g_stopRecording once a counter read sees the clock at or past t, as
    // the user pressing stop at that moment would.
    void StopRecordingAt(int64_t t) { m_stopAt = t; }
    int64_t Reads() const { return m_reads; }
    // The counter value at the first read: the start of a recording's slot 0.
    int64_t FirstRead() const { return m_firstRead; }
    // True when the counter was read so often without any wait in between that
    // the reader could not have been making progress; the recording was then
    // stopped.
    bool RanAway() const { return m_ranAway; }

private:
    int64_t m_frequency;
    std::atomic<int64_t> m_now;
    std::atomic<int64_t> m_readStep;
    std::atomic<int64_t> m_stopAt{INT64_MAX};
    std::atomic<int64_t> m_reads{0};
    std::atomic<int64_t> m_firstRead{-1};
    std::atomic<int64_t> m_readsSinceWait{0};
    std::atomic<bool> m_ranAway{false};
};

} // namespace fakes
