#pragma once
// Inside the Win32 side of our layer: the one struct that holds all of its
// state, the structures behind HWND and HDC, and the functions its files
// share. Knows no system: windows and input come through platform/SystemBackEnd.h,
// and no back end sees this header. Limits: one thread; the calls listed at the top of
// <windows.h> and no others. Internal names live in namespace win32layer.
#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/GdiObjects.h"
#include "platform/Raster.h"
#include "platform/SystemBackEnd.h"

// Win32 values the layer produces or answers although the app never names them.
#define WM_CLOSE 0x0010
#define WM_ERASEBKGND 0x0014
#define MK_LBUTTON 0x0001
#define SW_SHOWDEFAULT 10
#define WS_THICKFRAME 0x00040000L
#define IDOK 1

struct HINSTANCE__ {
    int unused;
};

// A device context: where a paint draws and with what.
struct HDC__ {
    win32layer::Framebuffer* target = nullptr; // null outside BeginPaint .. EndPaint
    win32layer::PixelBox clip{};
    HGDIOBJ pen = win32layer::stockPen();
    HGDIOBJ brush = win32layer::stockBrush();
    // The colours of the selected pen and brush, kept at hand for the many lines of a paint.
    win32layer::Pixel penColour = win32layer::stockPenColour;
    win32layer::Pixel brushColour = win32layer::stockBrushColour;
    POINT position{0, 0};
};

struct HWND__ {
    WNDPROC procedure = nullptr;
    HBRUSH background = nullptr;
    SystemWindow* system = nullptr;
    win32layer::Framebuffer framebuffer; // always the size of the client area
    win32layer::PixelBox update{};       // empty when nothing waits to be repainted
    bool erasePending = false;
    bool destroying = false;
    HDC__ dc;
};

namespace win32layer {

struct WindowClass {
    std::wstring name;
    WNDPROC procedure;
    HBRUSH background;
};

struct State {
    std::vector<WindowClass> classes;
    std::vector<std::unique_ptr<HWND__>> windows;
    std::deque<MSG> queue;
    bool quitPosted = false;
    int quitCode = 0;
    DrawingObjects drawingObjects;
    std::function<void()> beforeWaiting; // set by tests only
};

State& state();

// Windows (Win32Window.cpp).
HWND__* liveWindow(HWND window);
bool anyDeviceContextSelects(HGDIOBJ object);
// Closes every window without messages and stops the back end: the program's last act.
void shutdown();

// Painting (Win32Paint.cpp).
void invalidate(HWND__& window, const PixelBox& box, bool erase);
void resizeClient(HWND__& window, int width, int height);
LRESULT eraseBackground(HWND window, HDC dc);

// Messages (Win32Messages.cpp).
void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void dropMessagesFor(HWND window);

} // namespace win32layer
