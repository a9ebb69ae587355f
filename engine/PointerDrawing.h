#pragma once

#include <windows.h>
#include <dxgi1_2.h>

#include <cstdint>

// Compositing of the mouse pointer into a 32-bit BGRA picture, as DXGI delivers
// pointer shapes. Pixels are 32-bit values: blue in the lowest byte, then green,
// red and a fourth byte.

// A monochrome shape pixel: its AND and XOR bits applied to picture pixel d.
uint32_t MonochromePixel(uint32_t d, bool andBit, bool xorBit);
// A colour shape pixel s (alpha in the top byte) over picture pixel d.
uint32_t ColorPixel(uint32_t d, uint32_t s);
// A masked-colour shape pixel s (mask in the top byte) over picture pixel d.
uint32_t MaskedColorPixel(uint32_t d, uint32_t s);

// The part of a picture of width x height pixels that a pointer shape with its
// top-left corner at (left, top) covers: the shape's width and drawn height (a
// monochrome shape's height holds two planes), clipped to the picture. Empty when
// the shape lies outside it.
RECT PointerShapeArea(int width, int height, int left, int top, const DXGI_OUTDUPL_POINTER_SHAPE_INFO& shape);

// Draws a pointer shape with its top-left corner at (left, top) of a picture of
// width x height pixels whose rows are pitchBytes apart, clipped to the picture.
// shapeBits holds shapeSize bytes; a shape whose rows do not fit into them, or of
// an unknown type, draws nothing.
void DrawPointerShape(uint8_t* picture, int pitchBytes, int width, int height, int left, int top,
                      const DXGI_OUTDUPL_POINTER_SHAPE_INFO& shape, const uint8_t* shapeBits, size_t shapeSize);
