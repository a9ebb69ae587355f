#pragma once

#include "Framework.h"

// One tick of the recording clock.
struct ClockStep
{
    UINT counter;  // the counter after the tick
    bool timeUp;   // a countdown has reached 0: the recording stops
};

// Counts one second: down when countdown, up otherwise. A countdown whose limit
// was lifted during the recording (00:00:00 confirmed, which means no limit)
// counts up without ending until a new limit comes. A countdown that finds the
// counter at 0 otherwise stops at once instead of wrapping around.
ClockStep CountOneSecond(UINT counter, bool countdown, bool limitLifted);

// The counter as the time display shows it: "%H:%M:%S", the hours within the
// day, so whole days are not shown.
CString FormatCounter(UINT seconds);
