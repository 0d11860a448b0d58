#pragma once
// The pens and brushes behind GDI handles. A handle is a number, as on Windows:
// the system colour brushes are COLOR_x + 1, two stock objects stand for the
// default pen and brush of every device context, and what CreatePen and
// CreateSolidBrush make is numbered upwards from 0x10000 and never reused.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <unordered_map>

#include "platform/Raster.h"

namespace win32layer {

struct DrawingObject {
    enum class Kind { pen, brush };
    Kind kind;
    Pixel colour;
};

// The black 1-pixel pen and the white brush of a fresh device context.
HGDIOBJ stockPen();
HGDIOBJ stockBrush();
constexpr Pixel stockPenColour = 0x000000;
constexpr Pixel stockBrushColour = 0xFFFFFF;

Pixel pixelOf(COLORREF colour);
COLORREF colourOf(Pixel pixel);

class DrawingObjects {
public:
    HGDIOBJ create(DrawingObject object);
    // Made objects, the stock objects and the COLOR_WINDOW + 1 brush.
    std::optional<DrawingObject> find(HGDIOBJ handle) const;
    bool erase(HGDIOBJ handle) { return objects.erase(number(handle)) == 1; }
    int live() const { return static_cast<int>(objects.size()); }
    void clear() { objects.clear(); }

private:
    static std::uintptr_t number(HGDIOBJ handle) { return reinterpret_cast<std::uintptr_t>(handle); }

    std::unordered_map<std::uintptr_t, DrawingObject> objects;
    std::uintptr_t nextNumber = 0x10000;
};

} // namespace win32layer
