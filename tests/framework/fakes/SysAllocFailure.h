#pragma once

#include <windows.h>

// While one of these lives, SysAllocStringLen returns null, as it does when
// memory has run out. Works in programs linked with glintcast_sysalloc_failure,
// which wraps the imported function at link time.
class SysAllocFailure
{
public:
    SysAllocFailure();
    ~SysAllocFailure();
    SysAllocFailure(const SysAllocFailure&) = delete;
    SysAllocFailure& operator=(const SysAllocFailure&) = delete;

    // Calls refused since this object was made.
    int RefusedCalls() const;
};
