#include "FakeClock.h"

#include "Globals.h"
#include "SystemHooks.h"

#include <windows.h>

namespace fakes {

namespace {

FakeClock* g_clock = nullptr;
constexpr int64_t kRunawayReads = 2'000'000;

BOOL WINAPI FakeQueryPerformanceCounter(LARGE_INTEGER* count)
{
    count->QuadPart = g_clock->Read();
    return TRUE;
}

BOOL WINAPI FakeQueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
    frequency->QuadPart = g_clock->Frequency();
    return TRUE;
}

} // namespace

FakeClock::FakeClock(int64_t frequency, int64_t start)
    : m_frequency(frequency), m_now(start), m_readStep(frequency / 10'000)
{
    g_clock = this;
    Hooks().queryPerformanceCounter = FakeQueryPerformanceCounter;
    Hooks().queryPerformanceFrequency = FakeQueryPerformanceFrequency;
}

FakeClock::~FakeClock()
{
    Hooks().queryPerformanceCounter = ::QueryPerformanceCounter;
    Hooks().queryPerformanceFrequency = ::QueryPerformanceFrequency;
    g_clock = nullptr;
}

void FakeClock::WaitUntil(int64_t t)
{
    m_readsSinceWait = 0;
    int64_t now = m_now;
    while (now < t && !m_now.compare_exchange_weak(now, t)) {
    }
}

int64_t FakeClock::Read()
{
    const int64_t now = m_now.fetch_add(m_readStep);
    int64_t unset = -1;
    m_firstRead.compare_exchange_strong(unset, now);
    ++m_reads;
    if (now >= m_stopAt)
        g_stopRecording = true;
    if (++m_readsSinceWait > kRunawayReads) {
        m_ranAway = true;
        g_stopRecording = true;
    }
    return now;
}

} // namespace fakes
