#include "FileOnDisk.h"

#include <windows.h>

#include <memory>

namespace {

struct HandleCloser
{
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

// Every share mode: the writer's own stream may still hold the file open.
OwnedHandle OpenExisting(const std::wstring& path, DWORD access)
{
    HANDLE handle = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return OwnedHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

} // namespace

bool FileSizeOnDisk(const std::wstring& path, int64_t* size)
{
    const OwnedHandle file = OpenExisting(path, FILE_READ_ATTRIBUTES);
    LARGE_INTEGER length;
    if (!file || !GetFileSizeEx(file.get(), &length))
        return false;
    *size = length.QuadPart;
    return true;
}

bool CutFileOnDisk(const std::wstring& path, int64_t size)
{
    const OwnedHandle file = OpenExisting(path, GENERIC_WRITE);
    LARGE_INTEGER length;
    if (!file || !GetFileSizeEx(file.get(), &length))
        return false;
    if (size >= length.QuadPart)
        return true;
    LARGE_INTEGER end;
    end.QuadPart = size;
    return SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file.get());
}
