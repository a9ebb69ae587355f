#include "FramePacing.h"

#include <gtest/gtest.h>

namespace {

struct TimingCase
{
    int fps;
    int64_t interval;
    int64_t lateLimit;
    unsigned timeoutMs;
};

TEST(FramePacingTest, SlotTimingForEveryOfferedRate)
{
    const TimingCase cases[] = {
        {10, 1'000'000, 5, 110}, {30, 333'333, 15, 43},  {50, 200'000, 25, 30},  {60, 166'666, 30, 26},
        {90, 111'111, 45, 21},   {100, 100'000, 50, 20}, {120, 83'333, 60, 18},  {25, 400'000, 12, 50},
    };
    for (const auto& c : cases) {
        const SlotTiming t = SlotTiming::ForFrameRate(c.fps);
        EXPECT_EQ(t.interval, c.interval) << c.fps;
        EXPECT_EQ(t.lateLimit, c.lateLimit) << c.fps;
        EXPECT_EQ(t.acquireTimeoutMs, c.timeoutMs) << c.fps;
    }
}

// The exact value, with 128-bit arithmetic.
int64_t Exact(int64_t counts, int64_t frequency)
{
    return static_cast<int64_t>(static_cast<__int128>(counts) * 10'000'000 / frequency);
}

TEST(FramePacingTest, ElapsedTimeIsExactForLongRecordings)
{
    constexpr int64_t kDay = 86'400;
    struct Case
    {
        int64_t frequency;
        int64_t counts;
    };
    const Case cases[] = {
        {10'000'000, 0},
        {10'000'000, 12'345},
        {10'000'000, 2 * kDay * 10'000'000 + 7},        // two days at Windows 10's counter rate
        {3'579'545, 30 * kDay * 3'579'545 + 3'579'544},  // a month at the ACPI timer rate
        {2'995'200'000, 2 * kDay * 2'995'200'000 + 1},   // two days at a processor clock rate
        {14'318'180, 1'000 * kDay * 14'318'180},         // a thousand days, HPET rate
    };
    for (const auto& c : cases) {
        const int64_t start = 5'000'000'000'000;
        EXPECT_EQ(ElapsedHundredNs(start + c.counts, start, c.frequency), Exact(c.counts, c.frequency))
            << c.frequency << " " << c.counts;
    }
    // Truncated, not rounded: one count short of a 100 ns unit is 0.
    EXPECT_EQ(ElapsedHundredNs(2, 0, 30'000'000), 0);
    EXPECT_EQ(ElapsedHundredNs(3, 0, 30'000'000), 1);
}

struct SlotCase
{
    int64_t t;
    int64_t n;
    SlotState expected;
};

TEST(FramePacingTest, SlotBoundariesBelongToTheLaterSlot)
{
    const SlotTiming timing = SlotTiming::ForFrameRate(30);  // I = 333,333, L = 15
    const int64_t I = timing.interval;
    const int64_t farN = 2'592'000'000;  // slot index after a thousand days at 30 fps
    const SlotCase cases[] = {
        {0, 0, SlotState::InSlot},
        {I - 1, 0, SlotState::InSlot},
        {I, 0, SlotState::Late},
        {5 * I, 5, SlotState::InSlot},
        {5 * I - 1, 5, SlotState::Early},
        {0, 1, SlotState::Early},
        {(5 + 15) * I - 1, 5, SlotState::Late},
        {(5 + 15) * I, 5, SlotState::TooLate},
        {(5 + 40) * I, 5, SlotState::TooLate},
        {farN * I + I / 2, farN, SlotState::InSlot},
        {(farN + 15) * I, farN, SlotState::TooLate},
        {(farN + 14) * I, farN, SlotState::Late},
        {farN * I - 1, farN, SlotState::Early},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifySlot(c.t, c.n, timing), c.expected) << "t=" << c.t << " n=" << c.n;
}

} // namespace
