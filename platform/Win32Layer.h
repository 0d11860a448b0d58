#pragma once
// Inside our Win32 layer: the one struct that holds all of its state, the
// structures behind HWND and HDC, and the functions the layer's files share.
// Serves: systems without Win32, through SDL2 (window, events, message box).
// Limits: one thread; the calls listed at the top of <windows.h> and no others.
// Internal names live in namespace win32layer; nothing here is seen by the app.
#include <windows.h>

#include <SDL.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/GdiObjects.h"
#include "platform/Raster.h"

// Win32 values the layer produces or answers although the app never names them.
#define WM_CLOSE 0x0010
#define WM_ERASEBKGND 0x0014
#define MK_LBUTTON 0x0001
#define SW_HIDE 0
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
    SDL_Window* sdlWindow = nullptr;
    std::uint32_t sdlId = 0;
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
    bool videoStarted = false;
    std::vector<WindowClass> classes;
    std::vector<std::unique_ptr<HWND__>> windows;
    std::deque<MSG> queue;
    bool quitPosted = false;
    int quitCode = 0;
    DrawingObjects drawingObjects;
    std::function<void()> beforeWaiting; // set by tests only
};

State& state();

// Video (SdlVideo.cpp).
bool startVideo();
// True when SDL draws nowhere visible (the dummy and offscreen drivers).
bool invisibleDriver();
// True when SDL fell back to an invisible driver that nobody asked for: no display.
bool displayMissing();
SDL_Point defaultClientSize();

// Windows (Win32Window.cpp).
HWND__* liveWindow(HWND window);
HWND__* windowWithSdlId(std::uint32_t sdlId);
bool anyDeviceContextSelects(HGDIOBJ object);
// Closes every window without messages and stops SDL: the program's last act.
void shutdown();

// Painting (Win32Paint.cpp).
void invalidate(HWND__& window, const PixelBox& box, bool erase);
void resizeClient(HWND__& window, int width, int height);
void present(HWND__& window);
LRESULT eraseBackground(HWND window, HDC dc);

// Messages (Win32Messages.cpp and SdlEvents.cpp).
void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void dropMessagesFor(HWND window);
void translateEvent(const SDL_Event& event);

} // namespace win32layer
