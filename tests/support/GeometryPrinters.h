#pragma once

#include "Framework.h"

#include <ostream>

// Readable failure messages for the framework's rectangles and points.
inline void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << ", " << rect.top << ")-(" << rect.right << ", " << rect.bottom << ")";
}

inline void PrintTo(const CPoint& point, std::ostream* os)
{
    *os << "(" << point.x << ", " << point.y << ")";
}

inline void PrintTo(const CSize& size, std::ostream* os)
{
    *os << size.cx << " x " << size.cy;
}
