#pragma once
// The SDL2 back end of our Win32 layer (platform/SystemBackEnd.h).
// Serves: Linux and other desktops without Win32, under X11 or Wayland, and
// SDL's dummy driver for tests without a display.
// Windows: one SDL window each, presented through its window surface; SDL
// draws the frame, so the size asked for is the client area's.
// Input: typed ASCII and Escape, Return, Backspace and Tab as WM_CHAR, the left mouse
// button, the close button, size changes (SdlEvents.cpp).
// Message box: SDL's simple box, skipped under the dummy and offscreen drivers.
// Depends on SDL 2.0.22 or later, and on Xlib under X11 (X11Wait.cpp).
#include <SDL.h>

#include <cstdint>

struct SystemWindow {
    SDL_Window* sdlWindow;
    std::uint32_t sdlId;
};

namespace win32layer::sdl {

// True when SDL draws nowhere visible (the dummy and offscreen drivers).
bool invisibleDriver();
// True when SDL fell back to an invisible driver that nobody asked for: no display.
bool displayMissing();
// Why the video did not start, or that there was no display.
const char* whyNoDisplay();

} // namespace win32layer::sdl
