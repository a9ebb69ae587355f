#include "FillingVolume.h"

#include <cerrno>
#include <cstdio>
#include <cwchar>
#include <mutex>

// fwrite and fclose reach the C library by their own names; mingw-w64 declares
// _wfopen dllimport, so its callers go through the import slot, whose wrapper is
// a pointer too (as with any --wrap of an __imp_ symbol).
using WfopenFn = FILE*(__cdecl*)(const wchar_t*, const wchar_t*);

extern "C" {
size_t __real_fwrite(const void* data, size_t size, size_t count, FILE* stream);
int __real_fclose(FILE* stream);
extern WfopenFn __real___imp__wfopen;
}

namespace {

std::mutex g_mutex;
bool g_active = false;
std::wstring g_path;
int64_t g_room = 0;
FILE* g_limited = nullptr;  // the stream open on the path, if any
int g_refused = 0;

FILE* __cdecl WatchingWfopen(const wchar_t* name, const wchar_t* mode)
{
    FILE* stream = __real___imp__wfopen(name, mode);
    std::lock_guard<std::mutex> lock(g_mutex);
    if (stream && g_active && _wcsicmp(name, g_path.c_str()) == 0)
        g_limited = stream;
    return stream;
}

} // namespace

extern "C" {

WfopenFn __wrap___imp__wfopen = WatchingWfopen;

size_t __wrap_fwrite(const void* data, size_t size, size_t count, FILE* stream)
{
    bool limited = false;
    int64_t room = 0;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        limited = stream == g_limited && size != 0;
        room = g_room;
    }
    if (!limited)
        return __real_fwrite(data, size, count, stream);
    const int64_t position = _ftelli64(stream);
    const int64_t wanted = static_cast<int64_t>(size * count);
    if (position + wanted <= room)
        return __real_fwrite(data, size, count, stream);
    const int64_t fits = room > position ? room - position : 0;
    const size_t written = fits > 0 ? __real_fwrite(data, 1, static_cast<size_t>(fits), stream) : 0;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        ++g_refused;
    }
    errno = ENOSPC;
    return written / size;
}

int __wrap_fclose(FILE* stream)
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (stream == g_limited)
            g_limited = nullptr;
    }
    return __real_fclose(stream);
}

} // extern "C"

FillingVolume::FillingVolume(std::wstring path, int64_t room)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_active = true;
    g_path = std::move(path);
    g_room = room;
    g_limited = nullptr;
    g_refused = 0;
}

FillingVolume::~FillingVolume()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_active = false;
    g_limited = nullptr;
}

int FillingVolume::RefusedWrites() const
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_refused;
}
