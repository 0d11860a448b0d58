#include "platform/GdiObjects.h"

namespace win32layer {

namespace {

constexpr std::uintptr_t stockPenNumber = 0x100;
constexpr std::uintptr_t stockBrushNumber = 0x101;
constexpr std::uintptr_t windowColourBrushNumber = COLOR_WINDOW + 1;

HGDIOBJ handleOf(std::uintptr_t number) { return reinterpret_cast<HGDIOBJ>(number); }

} // namespace

HGDIOBJ stockPen() { return handleOf(stockPenNumber); }
HGDIOBJ stockBrush() { return handleOf(stockBrushNumber); }

// COLORREF is 0x00BBGGRR; the framebuffer holds 0x00RRGGBB.
Pixel pixelOf(COLORREF colour) {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

COLORREF colourOf(Pixel pixel) { return pixelOf(pixel); }

HGDIOBJ DrawingObjects::create(DrawingObject object) {
    const std::uintptr_t made = nextNumber++;
    objects.emplace(made, object);
    return handleOf(made);
}

std::optional<DrawingObject> DrawingObjects::find(HGDIOBJ handle) const {
    switch (number(handle)) {
    case stockPenNumber:
        return DrawingObject{DrawingObject::Kind::pen, stockPenColour};
    case stockBrushNumber:
    case windowColourBrushNumber: // the system window colour is white as well
        return DrawingObject{DrawingObject::Kind::brush, stockBrushColour};
    default:
        break;
    }
    const auto found = objects.find(number(handle));
    if (found == objects.end())
        return std::nullopt;
    return found->second;
}

} // namespace win32layer
