#include "RealClock.h"

#include <windows.h>

namespace fakes {

RealClock::RealClock()
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    m_frequency = f.QuadPart;
}

int64_t RealClock::Now()
{
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return c.QuadPart;
}

void RealClock::WaitUntil(int64_t t)
{
    const int64_t spin = TicksFromMs(2);
    for (int64_t now = Now(); now < t; now = Now()) {
        if (t - now > spin)
            Sleep(static_cast<DWORD>((t - now - spin) * 1000 / m_frequency));
        else
            SwitchToThread();
    }
}

} // namespace fakes
