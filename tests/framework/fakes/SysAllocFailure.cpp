#include "SysAllocFailure.h"

#include <oleauto.h>

#include <atomic>

// mingw-w64 declares SysAllocStringLen dllimport, so callers reach it through
// the import slot __imp_SysAllocStringLen; the program is linked with
// --wrap=__imp_SysAllocStringLen, which sends them to the slot below and leaves
// the real one reachable under __real___imp_SysAllocStringLen.
using SysAllocStringLenFn = BSTR(WINAPI*)(const OLECHAR*, UINT);

extern "C" SysAllocStringLenFn __real___imp_SysAllocStringLen;

namespace {

std::atomic<bool> s_failing{false};
std::atomic<int> s_refused{0};

BSTR WINAPI MaybeFailingSysAllocStringLen(const OLECHAR* text, UINT length)
{
    if (s_failing) {
        ++s_refused;
        return nullptr;
    }
    return __real___imp_SysAllocStringLen(text, length);
}

} // namespace

extern "C" {
SysAllocStringLenFn __wrap___imp_SysAllocStringLen = MaybeFailingSysAllocStringLen;
}

SysAllocFailure::SysAllocFailure()
{
    s_refused = 0;
    s_failing = true;
}

SysAllocFailure::~SysAllocFailure()
{
    s_failing = false;
}

int SysAllocFailure::RefusedCalls() const
{
    return s_refused;
}
