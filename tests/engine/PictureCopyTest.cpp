#include "PictureCopy.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t kUntouched = 0xDEADBEEF;

// A picture whose pixels name their place; rows pitchPixels apart.
std::vector<uint32_t> Picture(int width, int height, int pitchPixels)
{
    std::vector<uint32_t> p(static_cast<size_t>(pitchPixels) * height, 0xCDCDCDCD);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p[y * pitchPixels + x] = (x << 16) | y;
    return p;
}

struct CopyCase
{
    const char* name;
    int width, height, left, top;  // the recorded rectangle
    int pictureWidth, pictureHeight;
};

// The rectangle comes out packed, from its own place in the picture; what lies
// outside the picture (a turned output's desktop rectangle is turned, its
// picture is not) is never read and stays as it was.
TEST(PictureCopyTest, CopiesTheRectangleAndOnlyWhatLiesInThePicture)
{
    const CopyCase cases[] = {
        {"whole", 6, 4, 0, 0, 6, 4},
        {"region", 3, 2, 2, 1, 6, 4},
        {"turned_whole_output", 4, 6, 0, 0, 6, 4},
        {"region_past_the_turned_picture", 4, 3, 3, 2, 6, 4},
        {"region_wholly_outside", 2, 2, 6, 0, 6, 4},
    };
    for (const auto& c : cases) {
        const int pitch = c.pictureWidth + 3;
        const auto picture = Picture(c.pictureWidth, c.pictureHeight, pitch);
        std::vector<uint32_t> plane(static_cast<size_t>(c.width) * c.height, kUntouched);
        CopyRecordedRect(reinterpret_cast<uint8_t*>(plane.data()), c.width, c.height,
                         reinterpret_cast<const uint8_t*>(picture.data()), pitch * 4, c.pictureWidth, c.pictureHeight,
                         c.left, c.top);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const int px = c.left + x;
                const int py = c.top + y;
                const bool inside = px < c.pictureWidth && py < c.pictureHeight;
                const uint32_t expected = inside ? static_cast<uint32_t>((px << 16) | py) : kUntouched;
                ASSERT_EQ(plane[y * c.width + x], expected) << c.name << " at " << x << "," << y;
            }
    }
}

TEST(PictureCopyTest, RowsUpsideDown)
{
    const uint8_t src[] = {1, 2, 3, 4, 5, 6};
    uint8_t dst[6] = {};
    CopyRowsUpsideDown(src, dst, 2, 3);
    EXPECT_EQ(std::vector<uint8_t>(dst, dst + 6), (std::vector<uint8_t>{5, 6, 3, 4, 1, 2}));
}

} // namespace
