#include "ScreenshotFile.h"

#include <cwchar>

namespace {

void Put(std::array<uint8_t, 54>& bytes, size_t at, uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

} // namespace

std::array<uint8_t, 54> BmpHeader(int width, int height)
{
    const uint32_t imageSize = static_cast<uint32_t>(width) * static_cast<uint32_t>(height) * 4;
    std::array<uint8_t, 54> h{};
    h[0] = 'B';
    h[1] = 'M';
    Put(h, 2, 54 + imageSize, 4);  // bfSize
    Put(h, 10, 54, 4);             // bfOffBits
    Put(h, 14, 40, 4);             // biSize
    Put(h, 18, static_cast<uint32_t>(width), 4);
    Put(h, 22, static_cast<uint32_t>(height), 4);  // positive: bottom row first
    Put(h, 26, 1, 2);              // biPlanes
    Put(h, 28, 32, 2);             // biBitCount
    Put(h, 34, imageSize, 4);      // biSizeImage; compression, resolution and colours stay 0
    return h;
}

std::wstring ScreenshotFileName(const std::wstring& dir, const std::tm& localTime, int copy)
{
    wchar_t stamp[64] = {};
    std::wcsftime(stamp, 64, L"%Y_%m_%d_%H_%M_%S", &localTime);
    const std::wstring number = copy > 1 ? L" (" + std::to_wstring(copy) + L")" : std::wstring();
    return dir + L"Glintcast_Screenshot - " + stamp + number + L".bmp";
}
