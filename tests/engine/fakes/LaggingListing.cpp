#include "LaggingListing.h"

#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cwchar>
#include <mutex>

// mingw-w64 declares _wstat64 dllimport, so its callers (the static libstdc++'s
// std::filesystem among them) go through the import slot: its wrapper is a pointer.
using Wstat64Fn = int(__cdecl*)(const wchar_t*, struct _stat64*);

extern "C" {
extern Wstat64Fn __real___imp__wstat64;
}

namespace {

std::mutex g_mutex;
bool g_active = false;
std::wstring g_path;
_off64_t g_listedSize = 0;

int __cdecl ListingStat(const wchar_t* name, struct _stat64* result)
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (g_active && name && std::wcspbrk(name, L"?*")) {
            errno = ENOENT;
            return -1;
        }
    }
    const int status = __real___imp__wstat64(name, result);
    std::lock_guard<std::mutex> lock(g_mutex);
    if (status == 0 && g_active && name && _wcsicmp(name, g_path.c_str()) == 0)
        result->st_size = g_listedSize;
    return status;
}

} // namespace

extern "C" {
Wstat64Fn __wrap___imp__wstat64 = ListingStat;
}

LaggingListing::LaggingListing(const std::wstring& path)
{
    struct _stat64 now = {};
    const bool exists = __real___imp__wstat64(path.c_str(), &now) == 0;
    std::lock_guard<std::mutex> lock(g_mutex);
    g_path = path;
    g_listedSize = exists ? now.st_size : 0;
    g_active = true;
}

LaggingListing::~LaggingListing()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_active = false;
}
