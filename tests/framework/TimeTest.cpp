// CTime and CTimeSpan formatting: the file-name time stamps and the clock display.
#include "Framework.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

TEST(CTimeTest, FormatsTheLocalTime)
{
    const CTime time(2024, 3, 5, 7, 8, 9);
    EXPECT_STREQ(time.Format(L"%Y_%m_%d_%H_%M_%S"), L"2024_03_05_07_08_09");
    EXPECT_EQ(time.GetYear(), 2024);
    EXPECT_EQ(time.GetSecond(), 9);
    EXPECT_EQ((CTime(2024, 3, 6, 7, 8, 9) - time).GetTotalSeconds(), 86400);
}

TEST(CTimeTest, CurrentTimeIsNow)
{
    const __time64_t before = _time64(nullptr);
    const CTime now = CTime::GetCurrentTime();
    EXPECT_GE(now.GetTime(), before);
    EXPECT_LE(now.GetTime(), _time64(nullptr));
}

TEST(CTimeSpanTest, ClockFormatShowsHoursWithinTheDay)
{
    const struct
    {
        __time64_t seconds;
        const wchar_t* format;
        const wchar_t* expected;
    } cases[] = {
        {0, L"%H:%M:%S", L"00:00:00"},
        {2, L"%H:%M:%S", L"00:00:02"},
        {5400, L"%H:%M:%S", L"01:30:00"},
        {86399, L"%H:%M:%S", L"23:59:59"},
        {90000, L"%H:%M:%S", L"01:00:00"},
        {86405, L"%H:%M:%S", L"00:00:05"},
        {25 * 3600 + 2 * 60 + 3, L"%H:%M:%S", L"01:02:03"},
        {4294967295LL, L"%H:%M:%S", L"06:28:15"},  // the largest unsigned counter
        {90000, L"%D days %H h, 100%%", L"1 days 01 h, 100%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.seconds << " s");
        EXPECT_STREQ(CTimeSpan(c.seconds).Format(c.format), c.expected);
    }
    EXPECT_EQ(CTimeSpan(1, 2, 3, 4).GetTotalSeconds(), 93784);
}

} // namespace
