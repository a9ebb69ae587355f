#pragma once

#include "Framework.h"

// One tick of the recording clock.
struct ClockStep
{
    UINT counter;  // the counter after the tick
    bool timeUp;   // a countdown has reached 0: the recording stops
};

// Counts one second: down when countdown, up otherwise. A countdown that finds
// the counter already at 0 (a limit of 0 set while it ran) stops at once
// instead of wrapping around.
ClockStep CountOneSecond(UINT counter, bool countdown);

// The counter as the time display shows it: "%H:%M:%S", the hours within the
// day, so whole days are not shown.
CString FormatCounter(UINT seconds);
