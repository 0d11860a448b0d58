#pragma once
// Cells, points and rectangles spelt out in test failures instead of as bytes.
#include <ostream>

#include "app/BoardGeometry.h"
#include "app/Figures.h"

inline void PrintTo(const CellPosition& cell, std::ostream* out) {
    *out << "cell (" << cell.column << ", " << cell.row << ")";
}

inline void PrintTo(const PixelRect& rect, std::ostream* out) {
    *out << "(" << rect.left << ", " << rect.top << ") - (" << rect.right << ", " << rect.bottom
         << ")";
}

inline void PrintTo(const PixelSegment& segment, std::ostream* out) {
    *out << "(" << segment.from.x << ", " << segment.from.y << ") to (" << segment.to.x << ", "
         << segment.to.y << ")";
}
