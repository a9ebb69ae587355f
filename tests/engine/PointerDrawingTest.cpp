#include "PointerDrawing.h"

#include "NamedCase.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// ---- the per-pixel rules -------------------------------------------------

struct PixelCase
{
    const char* name;
    uint32_t (*rule)(uint32_t, uint32_t);
    uint32_t picture;
    uint32_t shape;
    uint32_t expected;
};

uint32_t Mono(uint32_t d, uint32_t bits) { return MonochromePixel(d, bits & 2, bits & 1); }

// Shape values of the monochrome cases are the bit pair: AND bit 2, XOR bit 1.
const PixelCase kPixelCases[] = {
    {"mono_and0_xor0_black_keeps_fourth_byte", Mono, 0x7A123456, 0b00, 0x7A000000},
    {"mono_and0_xor1_white", Mono, 0x7A123456, 0b01, 0x7AFFFFFF},
    {"mono_and1_xor0_leaves_pixel", Mono, 0x7A123456, 0b10, 0x7A123456},
    {"mono_and1_xor1_inverts_colour", Mono, 0x7A123456, 0b11, 0x7AEDCBA9},
    {"colour_alpha0_leaves_pixel", ColorPixel, 0x11223344, 0x00FFFFFF, 0x11223344},
    {"colour_alpha8_leaves_pixel", ColorPixel, 0x11223344, 0x08FFFFFF, 0x11223344},
    {"colour_alpha9_truncates_red_to_8", ColorPixel, 0xAA000000, 0x09FF0000, 0x00080000},
    {"colour_alpha128_red_255_over_0_is_127", ColorPixel, 0x00000000, 0x80FF0000, 0x007F0000},
    {"colour_alpha128_red_0_over_255_is_127", ColorPixel, 0x00FF0000, 0x80000000, 0x007F0000},
    // Single-precision sums: double precision or integer arithmetic give 54, 12 and 255.
    {"colour_alpha10_single_precision_sum", ColorPixel, 0x00333333, 0x0A999999, 0x00373737},
    {"colour_alpha12_single_precision_weight", ColorPixel, 0x00000000, 0x0CFFFFFF, 0x000B0B0B},
    {"colour_alpha130_white_over_white_is_254", ColorPixel, 0x00FFFFFF, 0x82FFFFFF, 0x00FEFEFE},
    {"colour_alpha200_blends_channels_apart", ColorPixel, 0xFF204060, 0xC8A0C0E0, 0x0084A4C4},
    {"colour_alpha201_copies_shape_with_alpha", ColorPixel, 0x11223344, 0xC9ABCDEF, 0xC9ABCDEF},
    {"masked_top_byte_0_copies_shape", MaskedColorPixel, 0x11223344, 0x00ABCDEF, 0x00ABCDEF},
    {"masked_top_byte_set_xors_and_sets_alpha", MaskedColorPixel, 0x00F0F0F0, 0xFF0F00FF, 0xFFFFF00F},
    {"masked_top_byte_1_counts_as_mask", MaskedColorPixel, 0x00123456, 0x01FFFFFF, 0xFFEDCBA9},
};

void PrintTo(const PixelCase& c, std::ostream* os) { *os << c.name; }

class PixelRuleTest : public testing::TestWithParam<PixelCase>
{
};

TEST_P(PixelRuleTest, GivesTheComposedPixel)
{
    const PixelCase& c = GetParam();
    EXPECT_EQ(c.rule(c.picture, c.shape), c.expected) << std::hex << "got 0x" << c.rule(c.picture, c.shape);
}

INSTANTIATE_TEST_SUITE_P(Rules, PixelRuleTest, testing::ValuesIn(kPixelCases),
                         CaseName());

// ---- drawing a shape into a picture ---------------------------------------

constexpr int kW = 12;
constexpr int kH = 10;
constexpr int kPitchPixels = 16;  // rows with padding, which must stay untouched
constexpr uint32_t kBackground = 0x40102030;

// A colour shape whose every pixel is opaque and names its own column and row.
uint32_t ShapePixel(int c, int r) { return 0xFF000000u | (c << 8) | r; }

struct ColourShape
{
    DXGI_OUTDUPL_POINTER_SHAPE_INFO info{};
    std::vector<uint8_t> bits;
    ColourShape(int w, int h)
    {
        info.Type = DXGI_OUTDUPL_POINTER_SHAPE_TYPE_COLOR;
        info.Width = w;
        info.Height = h;
        info.Pitch = w * 4 + 8;
        bits.assign(info.Pitch * h, 0);
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c) {
                const uint32_t v = ShapePixel(c, r);
                std::memcpy(&bits[r * info.Pitch + c * 4], &v, 4);
            }
    }
};

std::vector<uint32_t> Canvas() { return std::vector<uint32_t>(kPitchPixels * kH, kBackground); }

void Draw(std::vector<uint32_t>& canvas, int left, int top, const DXGI_OUTDUPL_POINTER_SHAPE_INFO& info,
          const std::vector<uint8_t>& bits)
{
    DrawPointerShape(reinterpret_cast<uint8_t*>(canvas.data()), kPitchPixels * 4, kW, kH, left, top, info,
                     bits.data(), bits.size());
}

struct PlaceCase
{
    const char* name;
    int left, top, width, height;
};

const PlaceCase kPlaceCases[] = {
    {"inside", 3, 2, 4, 3},
    {"past_right_edge", 9, 1, 5, 3},
    {"past_bottom_edge", 2, 8, 3, 4},
    {"left_of_picture", -2, 3, 5, 2},
    {"above_picture", 4, -3, 3, 5},
    {"over_top_left_corner", -3, -2, 5, 4},
    {"over_bottom_right_corner", 10, 8, 5, 5},
    {"wholly_left", -5, 2, 5, 3},
    {"wholly_right", 12, 2, 3, 3},
    {"wholly_above", 2, -4, 3, 4},
    {"wholly_below", 2, 10, 3, 2},
};

void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }

class ShapePlacementTest : public testing::TestWithParam<PlaceCase>
{
};

// Every picture pixel under the shape shows the shape pixel of its own offset
// from the shape's corner; nothing else changes, the row padding included.
TEST_P(ShapePlacementTest, DrawsOnlyTheClippedPart)
{
    const PlaceCase& c = GetParam();
    ColourShape shape(c.width, c.height);
    auto canvas = Canvas();
    Draw(canvas, c.left, c.top, shape.info, shape.bits);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kPitchPixels; ++x) {
            const bool under = x < kW && x >= c.left && x < c.left + c.width && y >= c.top && y < c.top + c.height;
            const uint32_t expected = under ? ShapePixel(x - c.left, y - c.top) : kBackground;
            ASSERT_EQ(canvas[y * kPitchPixels + x], expected) << "at " << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Places, ShapePlacementTest, testing::ValuesIn(kPlaceCases),
                         CaseName());

// A monochrome shape of height 32 is 16 rows high: AND plane first, XOR plane
// after it, leftmost pixel in the top bit of a byte.
TEST(PointerDrawingTest, MonochromeShapeUsesBothPlanes)
{
    DXGI_OUTDUPL_POINTER_SHAPE_INFO info{};
    info.Type = DXGI_OUTDUPL_POINTER_SHAPE_TYPE_MONOCHROME;
    info.Width = 10;  // two bytes a row, the second one partly used
    info.Height = 8;  // drawn 4 rows high
    info.Pitch = 4;
    std::vector<uint8_t> bits(info.Pitch * info.Height, 0xFF);  // AND 1, XOR 1: invert
    // Row 0: AND 0 XOR 0 (black) at column 0, AND 0 XOR 1 (white) at column 1,
    // AND 1 XOR 0 (unchanged) at column 9.
    bits[0 * 4 + 0] = 0x3F;
    bits[4 * 4 + 0] = 0x7F;
    bits[4 * 4 + 1] = 0xBF;
    auto canvas = Canvas();
    canvas[1 * kPitchPixels + 1] = 0x01ABCDEF;
    Draw(canvas, 1, 1, info, bits);

    auto at = [&](int x, int y) { return canvas[y * kPitchPixels + x]; };
    EXPECT_EQ(at(1, 1), 0x01000000u);
    EXPECT_EQ(at(2, 1), kBackground | 0x00FFFFFF);
    EXPECT_EQ(at(10, 1), kBackground);
    EXPECT_EQ(at(3, 1), kBackground ^ 0x00FFFFFF);
    EXPECT_EQ(at(3, 4), kBackground ^ 0x00FFFFFF);  // fourth and last drawn row
    EXPECT_EQ(at(3, 5), kBackground);               // the XOR plane is not drawn as rows
    EXPECT_EQ(at(11, 1), kBackground);              // the shape is 10 wide
}

TEST(PointerDrawingTest, MaskedColourShapeIsDrawn)
{
    DXGI_OUTDUPL_POINTER_SHAPE_INFO info{};
    info.Type = DXGI_OUTDUPL_POINTER_SHAPE_TYPE_MASKED_COLOR;
    info.Width = 2;
    info.Height = 1;
    info.Pitch = 8;
    const uint32_t pixels[2] = {0x00ABCDEF, 0xFF00FF00};
    std::vector<uint8_t> bits(8);
    std::memcpy(bits.data(), pixels, 8);
    auto canvas = Canvas();
    Draw(canvas, 0, 0, info, bits);
    EXPECT_EQ(canvas[0], 0x00ABCDEFu);
    EXPECT_EQ(canvas[1], (kBackground ^ 0xFF00FF00u) | 0xFF000000u);
}

// Sizes come from the duplication: a shape that claims more rows than its
// buffer holds, or an unknown type, draws nothing rather than reading past it.
TEST(PointerDrawingTest, ShapeLargerThanItsBufferOrOfUnknownTypeDrawsNothing)
{
    ColourShape shape(4, 4);
    auto canvas = Canvas();
    std::vector<uint8_t> shortBits(shape.bits.begin(), shape.bits.end() - 1);
    Draw(canvas, 0, 0, shape.info, shortBits);
    EXPECT_EQ(canvas, Canvas());

    shape.info.Type = 3;
    Draw(canvas, 0, 0, shape.info, shape.bits);
    EXPECT_EQ(canvas, Canvas());
}

} // namespace
