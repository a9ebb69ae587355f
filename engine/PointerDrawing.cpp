#include "PointerDrawing.h"

#include <algorithm>
#include <cstring>

uint32_t MonochromePixel(uint32_t d, bool andBit, bool xorBit)
{
    return ((andBit ? 0xFFFFFFFFu : 0xFF000000u) & d) ^ (xorBit ? 0x00FFFFFFu : 0u);
}

uint32_t ColorPixel(uint32_t d, uint32_t s)
{
    const uint32_t a = s >> 24;
    if (a <= 8)
        return d;
    if (a > 200)
        return s;
    // Single precision throughout, truncated: the pointer looks the same as the
    // system draws it.
    const float w = static_cast<float>((255.0 - a) / 255.0);
    const float g = 1.0f - w;
    uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const float sc = static_cast<float>((s >> shift) & 0xFF);
        const float dc = static_cast<float>((d >> shift) & 0xFF);
        const float sp = sc * g;
        const float dp = dc * w;
        const float sum = sp + dp;
        result |= static_cast<uint32_t>(sum) << shift;
    }
    return result;
}

uint32_t MaskedColorPixel(uint32_t d, uint32_t s)
{
    return (s >> 24) == 0 ? s : ((d ^ s) | 0xFF000000u);
}

namespace {

uint32_t LoadPixel(const uint8_t* p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

void StorePixel(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

} // namespace

RECT PointerShapeArea(int width, int height, int left, int top, const DXGI_OUTDUPL_POINTER_SHAPE_INFO& shape)
{
    const bool mono = shape.Type == DXGI_OUTDUPL_POINTER_SHAPE_TYPE_MONOCHROME;
    const int64_t drawnHeight = mono ? shape.Height / 2 : shape.Height;
    RECT area;
    area.left = std::max(left, 0);
    area.top = std::max(top, 0);
    area.right = static_cast<LONG>(std::min<int64_t>(int64_t{left} + shape.Width, width));
    area.bottom = static_cast<LONG>(std::min<int64_t>(int64_t{top} + drawnHeight, height));
    if (area.left >= area.right || area.top >= area.bottom)
        area = {};
    return area;
}

void DrawPointerShape(uint8_t* picture, int pitchBytes, int width, int height, int left, int top,
                      const DXGI_OUTDUPL_POINTER_SHAPE_INFO& shape, const uint8_t* shapeBits, size_t shapeSize)
{
    const UINT type = shape.Type;
    const bool mono = type == DXGI_OUTDUPL_POINTER_SHAPE_TYPE_MONOCHROME;
    if (!mono && type != DXGI_OUTDUPL_POINTER_SHAPE_TYPE_COLOR && type != DXGI_OUTDUPL_POINTER_SHAPE_TYPE_MASKED_COLOR)
        return;
    // The shape must hold every row it claims: the sizes come from outside.
    const uint64_t rowBytes = mono ? (uint64_t{shape.Width} + 7) / 8 : uint64_t{shape.Width} * 4;
    const uint64_t usablePitch = mono ? shape.Pitch : shape.Pitch / 4 * 4;
    if (!shapeBits || usablePitch < rowBytes || uint64_t{shape.Pitch} * shape.Height > shapeSize)
        return;

    const RECT area = PointerShapeArea(width, height, left, top, shape);
    const int x0 = area.left;
    const int y0 = area.top;
    const int x1 = area.right;
    const int y1 = area.bottom;
    if (x0 >= x1 || y0 >= y1)
        return;

    const size_t pitch = shape.Pitch;
    const size_t pixelsPerRow = shape.Pitch / 4;
    const size_t xorPlane = static_cast<size_t>(shape.Height / 2) * pitch;
    for (int y = y0; y < y1; ++y) {
        const size_t r = static_cast<size_t>(y - top);
        uint8_t* row = picture + static_cast<size_t>(y) * pitchBytes;
        for (int x = x0; x < x1; ++x) {
            const size_t c = static_cast<size_t>(x - left);
            uint8_t* dst = row + static_cast<size_t>(x) * 4;
            const uint32_t d = LoadPixel(dst);
            uint32_t out;
            if (mono) {
                const uint8_t mask = static_cast<uint8_t>(0x80 >> (c % 8));
                const size_t at = r * pitch + c / 8;
                out = MonochromePixel(d, shapeBits[at] & mask, shapeBits[at + xorPlane] & mask);
            } else {
                const uint32_t s = LoadPixel(shapeBits + (r * pixelsPerRow + c) * 4);
                out = type == DXGI_OUTDUPL_POINTER_SHAPE_TYPE_COLOR ? ColorPixel(d, s) : MaskedColorPixel(d, s);
            }
            StorePixel(dst, out);
        }
    }
}
