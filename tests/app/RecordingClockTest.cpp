// The recording clock: one tick counts a second up or down, a countdown ends at
// 0, and the display shows hours within the day, minutes and seconds.
#include "RecordingClock.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

TEST(RecordingClockTest, OneTickCountsOneSecond)
{
    const struct
    {
        UINT counter;
        bool countdown;
        bool limitLifted;
        UINT after;
        bool timeUp;
    } cases[] = {
        {0, false, false, 1, false},
        {59, false, false, 60, false},
        {86399, false, false, 86400, false},
        {5, true, false, 4, false},
        {2, true, false, 1, false},
        {1, true, false, 0, true},
        {UINT_MAX, true, false, UINT_MAX - 1, false},
        // Never wraps to the top: a countdown at 0 stops.
        {0, true, false, 0, true},
        // A countdown whose limit was lifted counts up from 0 and never ends;
        // an elapsed time does not care.
        {0, true, true, 1, false},
        {1, true, true, 2, false},
        {7, false, true, 8, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.counter << (c.countdown ? " down" : " up")
                                        << (c.limitLifted ? ", limit lifted" : ""));
        const ClockStep step = CountOneSecond(c.counter, c.countdown, c.limitLifted);
        EXPECT_EQ(step.counter, c.after);
        EXPECT_EQ(step.timeUp, c.timeUp);
    }
}

// A limit of 5 seconds shows 00:00:04 after the first tick and 00:00:00 after
// the fifth, which alone ends the recording.
TEST(RecordingClockTest, FiveSecondLimitRunsDownToZero)
{
    std::vector<std::wstring> shown;
    std::vector<bool> up;
    UINT counter = 5;
    for (int tick = 0; tick < 5; ++tick) {
        const ClockStep step = CountOneSecond(counter, true, false);
        counter = step.counter;
        shown.push_back(FormatCounter(counter).GetString());
        up.push_back(step.timeUp);
    }
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"00:00:04", L"00:00:03", L"00:00:02", L"00:00:01", L"00:00:00"}));
    EXPECT_EQ(up, (std::vector<bool>{false, false, false, false, true}));
}

TEST(RecordingClockTest, DisplayShowsHoursWithinTheDay)
{
    const struct
    {
        UINT seconds;
        const wchar_t* display;
    } cases[] = {
        {0, L"00:00:00"},
        {59, L"00:00:59"},
        {60, L"00:01:00"},
        {3599, L"00:59:59"},
        {3600, L"01:00:00"},
        {3723, L"01:02:03"},
        {86399, L"23:59:59"},
        {86400, L"00:00:00"},
        {86405, L"00:00:05"},   // one day and 5 s
        {90000, L"01:00:00"},   // 25 hours
        {90123, L"01:02:03"},   // 25 h 2 min 3 s
        {UINT_MAX, L"06:28:15"},  // no sign trouble at the top of the counter
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::wstring(FormatCounter(c.seconds).GetString()), c.display) << c.seconds;
}

} // namespace
