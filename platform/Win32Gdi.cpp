// GDI's pens, brushes and drawing calls over our software raster. A device
// context draws only between BeginPaint and EndPaint; outside a paint every
// drawing call fails and draws nothing.
#include "platform/Win32Layer.h"

#include <optional>
#include <utility>

using win32layer::DrawingObject;
using win32layer::Raster;
using win32layer::state;

namespace {

bool painting(HDC dc) { return dc != nullptr && dc->target != nullptr; }

Raster rasterOf(HDC dc) { return Raster(*dc->target, dc->clip); }

} // namespace

HPEN WINAPI CreatePen(int iStyle, int, COLORREF color) {
    if (iStyle != PS_SOLID)
        return nullptr; // dashes and the null pen are not supported
    return static_cast<HPEN>(state().drawingObjects.create(
        {DrawingObject::Kind::pen, win32layer::pixelOf(color)}));
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    return static_cast<HBRUSH>(state().drawingObjects.create(
        {DrawingObject::Kind::brush, win32layer::pixelOf(color)}));
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    const std::optional<DrawingObject> object = state().drawingObjects.find(h);
    if (hdc == nullptr || !object)
        return nullptr;
    const bool pen = object->kind == DrawingObject::Kind::pen;
    (pen ? hdc->penColour : hdc->brushColour) = object->colour;
    return std::exchange(pen ? hdc->pen : hdc->brush, h);
}

BOOL WINAPI DeleteObject(HGDIOBJ ho) {
    // Windows refuses to delete what a device context still uses; so do we, so
    // that a paint which forgets to select the old pen back leaves its pen alive.
    if (win32layer::anyDeviceContextSelects(ho))
        return FALSE;
    return state().drawingObjects.erase(ho) ? TRUE : FALSE;
}

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    if (hdc == nullptr)
        return FALSE;
    if (lppt != nullptr)
        *lppt = hdc->position;
    hdc->position = {x, y};
    return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
    if (!painting(hdc))
        return FALSE;
    rasterOf(hdc).line(hdc->position.x, hdc->position.y, x, y, hdc->penColour);
    hdc->position = {x, y};
    return TRUE;
}

BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    if (!painting(hdc))
        return FALSE;
    rasterOf(hdc).ellipse({left, top, right, bottom}, hdc->penColour, hdc->brushColour);
    return TRUE;
}

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    const std::optional<DrawingObject> brush = state().drawingObjects.find(hbr);
    if (!painting(hDC) || lprc == nullptr || !brush || brush->kind != DrawingObject::Kind::brush)
        return 0;
    rasterOf(hDC).fill({lprc->left, lprc->top, lprc->right, lprc->bottom}, brush->colour);
    return 1;
}
