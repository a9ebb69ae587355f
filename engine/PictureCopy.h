#pragma once

#include <windows.h>
#include <dxgi.h>

#include <cstddef>
#include <cstdint>

// Copies the width x height rectangle at (left, top) of a picture of
// pictureWidth x pictureHeight pixels, rows pitch bytes apart, into a packed plane
// (rows width * 4 bytes apart). Only the part of the rectangle that lies inside
// the picture is copied; the rest of the plane is left as it is.
void CopyRecordedRect(uint8_t* plane, int width, int height, const uint8_t* picture, int pitch, int pictureWidth,
                      int pictureHeight, int left, int top);

// Writes rows of rowBytes bytes from src into dst in the opposite order.
void CopyRowsUpsideDown(const uint8_t* src, uint8_t* dst, size_t rowBytes, int rows);

// Whether a picture of the duplication has the size of the output's pictures as
// the output is now: its desktop rectangle, turned back for an output turned by
// 90 or 270 degrees (the duplication delivers pictures unturned).
bool PictureFitsOutput(int pictureWidth, int pictureHeight, const DXGI_OUTPUT_DESC& output);
