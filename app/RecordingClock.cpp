#include "RecordingClock.h"

ClockStep CountOneSecond(UINT counter, bool countdown, bool limitLifted)
{
    if (!countdown || limitLifted)
        return {counter + 1, false};
    if (counter == 0)
        return {0, true};
    return {counter - 1, counter == 1};
}

CString FormatCounter(UINT seconds)
{
    return CTimeSpan(static_cast<__time64_t>(seconds)).Format(L"%H:%M:%S");
}
