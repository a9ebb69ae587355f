#include "PictureCopy.h"

#include <algorithm>
#include <utility>
#include <cstring>

void CopyRecordedRect(uint8_t* plane, int width, int height, const uint8_t* picture, int pitch, int pictureWidth,
                      int pictureHeight, int left, int top)
{
    const int columns = std::min(width, pictureWidth - left);
    const int rows = std::min(height, pictureHeight - top);
    if (columns <= 0 || rows <= 0 || left < 0 || top < 0)
        return;
    const size_t rowBytes = static_cast<size_t>(columns) * 4;
    for (int i = 0; i < rows; ++i)
        std::memcpy(plane + static_cast<size_t>(i) * width * 4,
                    picture + static_cast<size_t>(top + i) * pitch + static_cast<size_t>(left) * 4, rowBytes);
}

void CopyRowsUpsideDown(const uint8_t* src, uint8_t* dst, size_t rowBytes, int rows)
{
    for (int i = 0; i < rows; ++i)
        std::memcpy(dst + static_cast<size_t>(i) * rowBytes, src + static_cast<size_t>(rows - 1 - i) * rowBytes,
                    rowBytes);
}

bool PictureFitsOutput(int pictureWidth, int pictureHeight, const DXGI_OUTPUT_DESC& output)
{
    const RECT& r = output.DesktopCoordinates;
    LONG width = r.right - r.left;
    LONG height = r.bottom - r.top;
    if (output.Rotation == DXGI_MODE_ROTATION_ROTATE90 || output.Rotation == DXGI_MODE_ROTATION_ROTATE270)
        std::swap(width, height);
    return pictureWidth == width && pictureHeight == height;
}
