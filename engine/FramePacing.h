#pragma once

#include <cstdint>

// The arithmetic of the video record loop's frame slots. Times are in 100 ns
// units; slot n covers [n * interval, (n + 1) * interval).
struct SlotTiming
{
    int64_t interval = 0;   // 10,000,000 / fps
    int64_t lateLimit = 0;  // slots behind at which the recording stops: fps / 2
    unsigned acquireTimeoutMs = 0;  // one slot in whole milliseconds, plus 10

    static SlotTiming ForFrameRate(int fps);
};

// Time from counter value start to counter value now at the given frequency, in
// 100 ns units, truncated; exact for recordings of any length (for frequencies
// below 9.2e11 counts per second, far above any real counter).
int64_t ElapsedHundredNs(int64_t now, int64_t start, int64_t frequency);

enum class SlotState
{
    InSlot,   // the time is within slot n: acquire and encode
    TooLate,  // L or more slots behind: stop
    Late,     // behind by less than L slots: repeat the last picture
    Early,    // slot n has not begun: wait
};

// Where elapsed time t stands against slot n, tested in the loop's order.
SlotState ClassifySlot(int64_t t, int64_t n, const SlotTiming& timing);
