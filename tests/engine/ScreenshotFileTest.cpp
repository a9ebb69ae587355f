#include "ScreenshotFile.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ScreenshotFileTest, BmpHeaderBytes)
{
    // 3 x 2 pixels: 24 bytes of pixels, 78 in all.
    const std::vector<uint8_t> expected = {
        'B', 'M', 78, 0, 0, 0,  0, 0, 0, 0,  54, 0, 0, 0,  // file header
        40, 0, 0, 0,  3, 0, 0, 0,  2, 0, 0, 0,  1, 0,  32, 0,  0, 0, 0, 0,  24, 0, 0, 0,
        0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,  // resolution and colours
    };
    const auto header = BmpHeader(3, 2);
    EXPECT_EQ(std::vector<uint8_t>(header.begin(), header.end()), expected);
}

TEST(ScreenshotFileTest, LargeSizesAreLittleEndian)
{
    const auto h = BmpHeader(3840, 2160);
    const uint32_t image = 3840u * 2160u * 4u;  // 0x01FA4000
    auto u32 = [&](int at) { return h[at] | h[at + 1] << 8 | h[at + 2] << 16 | uint32_t{h[at + 3]} << 24; };
    EXPECT_EQ(u32(2), 54 + image);
    EXPECT_EQ(u32(18), 3840u);
    EXPECT_EQ(u32(22), 2160u);
    EXPECT_EQ(u32(34), image);
}

TEST(ScreenshotFileTest, NameCarriesTheLocalTime)
{
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 0;
    t.tm_mday = 5;
    t.tm_hour = 7;
    t.tm_min = 8;
    t.tm_sec = 9;
    EXPECT_EQ(ScreenshotFileName(L"C:\\out\\", t), L"C:\\out\\Glintcast_Screenshot - 2024_01_05_07_08_09.bmp");
    EXPECT_EQ(ScreenshotFileName(L"C:\\out\\", t, 2), L"C:\\out\\Glintcast_Screenshot - 2024_01_05_07_08_09 (2).bmp");
    EXPECT_EQ(ScreenshotFileName(L"C:\\out\\", t, 12), L"C:\\out\\Glintcast_Screenshot - 2024_01_05_07_08_09 (12).bmp");
}

} // namespace
