// Invalidation and the paint cycle of our Win32 layer: a window keeps the
// bounding box of what needs repainting; BeginPaint hands out a device context
// on the window's framebuffer and EndPaint has the back end show the framebuffer.
#include "platform/Win32Layer.h"

#include <utility>

using win32layer::PixelBox;

namespace {

PixelBox boxOf(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

RECT rectOf(const PixelBox& box) { return {box.left, box.top, box.right, box.bottom}; }

void startDrawing(HDC__& dc, win32layer::Framebuffer& target, const PixelBox& clip) {
    dc = HDC__{};
    dc.target = &target;
    dc.clip = clip;
}

} // namespace

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
    HWND__* window = win32layer::liveWindow(hWnd);
    if (window == nullptr)
        return FALSE; // invalidating every window at once (no window) is not supported
    win32layer::invalidate(*window, lpRect ? boxOf(*lpRect) : window->framebuffer.bounds(),
                           bErase != FALSE);
    return TRUE;
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
    HWND__* window = win32layer::liveWindow(hWnd);
    if (window == nullptr)
        return FALSE;
    if (!window->update.empty())
        window->procedure(hWnd, WM_PAINT, 0, 0);
    return TRUE;
}

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    HWND__* window = win32layer::liveWindow(hWnd);
    if (window == nullptr || lpPaint == nullptr)
        return nullptr;
    const PixelBox area = window->update;
    window->update = {};
    const bool erase = std::exchange(window->erasePending, false);
    startDrawing(window->dc, window->framebuffer, area);
    const bool erased = erase && window->procedure(hWnd, WM_ERASEBKGND,
                                                   reinterpret_cast<WPARAM>(&window->dc), 0) != 0;
    *lpPaint = PAINTSTRUCT{};
    lpPaint->hdc = &window->dc;
    lpPaint->fErase = erase && !erased ? TRUE : FALSE;
    lpPaint->rcPaint = rectOf(area);
    return &window->dc;
}

BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT*) {
    HWND__* window = win32layer::liveWindow(hWnd);
    if (window == nullptr)
        return FALSE;
    win32layer::system::present(*window->system, window->framebuffer);
    // The device context goes back to its defaults, so the paint's own pens and
    // brushes are no longer selected anywhere.
    window->dc = HDC__{};
    return TRUE;
}

namespace win32layer {

void invalidate(HWND__& window, const PixelBox& box, bool erase) {
    const PixelBox visible = intersection(box, window.framebuffer.bounds());
    if (visible.empty())
        return;
    window.update = boundingBox(window.update, visible);
    window.erasePending = window.erasePending || erase;
}

void resizeClient(HWND__& window, int width, int height) {
    window.framebuffer.resize(width, height);
    // The class asks for a full repaint after any change of size (CS_HREDRAW |
    // CS_VREDRAW); a fresh framebuffer leaves no other choice anyway.
    invalidate(window, window.framebuffer.bounds(), true);
}

LRESULT eraseBackground(HWND window, HDC dc) {
    const HWND__* open = liveWindow(window);
    if (open == nullptr || dc == nullptr || open->background == nullptr)
        return 0;
    const RECT area = rectOf(dc->clip);
    return FillRect(dc, &area, open->background) != 0 ? 1 : 0;
}

} // namespace win32layer
