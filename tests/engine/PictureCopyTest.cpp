#include "PictureCopy.h"

#include "NamedCase.h"

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

struct FitCase : NamedCase
{
    int pictureWidth;
    int pictureHeight;
    RECT desktop;
    DXGI_MODE_ROTATION rotation;
    bool fits;
};

class PictureFitsOutputTest : public testing::TestWithParam<FitCase>
{
};

// Whether an engine's last picture can still stand for the output's screen.
TEST_P(PictureFitsOutputTest, ComparesWithTheOutputAsItIsNow)
{
    const FitCase& c = GetParam();
    DXGI_OUTPUT_DESC output{};
    output.DesktopCoordinates = c.desktop;
    output.Rotation = c.rotation;
    EXPECT_EQ(PictureFitsOutput(c.pictureWidth, c.pictureHeight, output), c.fits);
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, PictureFitsOutputTest,
    testing::Values(FitCase{{"same_size"}, 64, 48, {0, 0, 64, 48}, DXGI_MODE_ROTATION_IDENTITY, true},
                    FitCase{{"second_monitor"}, 64, 48, {640, 0, 704, 48}, DXGI_MODE_ROTATION_IDENTITY, true},
                    FitCase{{"unspecified_rotation"}, 64, 48, {0, 0, 64, 48}, DXGI_MODE_ROTATION_UNSPECIFIED, true},
                    FitCase{{"mode_changed"}, 64, 48, {0, 0, 80, 48}, DXGI_MODE_ROTATION_IDENTITY, false},
                    FitCase{{"height_changed"}, 64, 48, {0, 0, 64, 50}, DXGI_MODE_ROTATION_IDENTITY, false},
                    FitCase{{"turned_90"}, 64, 48, {0, 0, 48, 64}, DXGI_MODE_ROTATION_ROTATE90, true},
                    FitCase{{"turned_270"}, 64, 48, {0, 0, 48, 64}, DXGI_MODE_ROTATION_ROTATE270, true},
                    FitCase{{"turned_180"}, 64, 48, {0, 0, 64, 48}, DXGI_MODE_ROTATION_ROTATE180, true},
                    FitCase{{"turned_since"}, 64, 48, {0, 0, 64, 48}, DXGI_MODE_ROTATION_ROTATE90, false}),
    CaseName());

} // namespace
