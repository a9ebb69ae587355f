#pragma once

#include <cstdint>

// A volume that fills up. While a FullVolume lives, the C library's low-level
// write, which the standard file streams end in, takes only so many more bytes
// for files (never the standard handles 0 to 2): the call that reaches the limit
// writes the part that fits, and every call after it fails with ENOSPC, as on a
// full disk. A program that links this has its calls of write wrapped.
class FullVolume
{
public:
    explicit FullVolume(int64_t bytesLeft);
    ~FullVolume();
    FullVolume(const FullVolume&) = delete;
    FullVolume& operator=(const FullVolume&) = delete;

    // Calls that failed for lack of room.
    int RefusedCalls() const;
};
