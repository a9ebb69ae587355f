#include "FullVolume.h"

#include <atomic>
#include <cerrno>

// The program is linked with --wrap=write: the standard library's calls of write
// come here, and the real one is __real_write.
extern "C" int __real_write(int fd, const void* buffer, unsigned int count);

namespace {

std::atomic<bool> s_filling{false};
std::atomic<int64_t> s_bytesLeft{0};
std::atomic<int> s_refused{0};

} // namespace

extern "C" int __wrap_write(int fd, const void* buffer, unsigned int count)
{
    if (!s_filling || fd <= 2)
        return __real_write(fd, buffer, count);
    const int64_t left = s_bytesLeft.load();
    if (left <= 0) {
        ++s_refused;
        errno = ENOSPC;
        return -1;
    }
    const unsigned int taken = count > left ? static_cast<unsigned int>(left) : count;
    const int written = __real_write(fd, buffer, taken);
    if (written > 0)
        s_bytesLeft -= written;
    return written;
}

FullVolume::FullVolume(int64_t bytesLeft)
{
    s_bytesLeft = bytesLeft;
    s_refused = 0;
    s_filling = true;
}

FullVolume::~FullVolume()
{
    s_filling = false;
}

int FullVolume::RefusedCalls() const
{
    return s_refused;
}
