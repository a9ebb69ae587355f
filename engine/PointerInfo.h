#pragma once

#include <windows.h>
#include <dxgi1_2.h>

#include <vector>

// The last mouse-pointer shape the duplication delivered, and where it is.
struct PointerInfo
{
    // The shape bits exactly as GetFramePointerShape delivered them.
    std::vector<BYTE> shapeBuffer;
    // Size of the shape data in bytes, as that call reported it required.
    UINT shapeBufferSize = 0;
    DXGI_OUTDUPL_POINTER_SHAPE_INFO shapeInfo{};
    // Frame information of the frame that delivered the shape. Only
    // PointerPosition.Position is used afterwards: the shape's top-left corner in
    // desktop coordinates; x = -1 means the pointer is hidden.
    DXGI_OUTDUPL_FRAME_INFO frameInfo{};
};
