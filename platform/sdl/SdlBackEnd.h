#pragma once
// The SDL2 back end of our Win32 layer (platform/SystemBackEnd.h).
// Serves: Linux and other desktops without Win32, under X11 or Wayland, and
// SDL's dummy driver for tests without a display.
// Windows: one SDL window each, presented through its window surface; SDL
// draws the frame, so the size asked for is the client area's.
// Input: typed ASCII and Escape, Return, Backspace and Tab as characters, the left
// mouse button, the close button, size changes and lost pixels (SdlEvents.cpp).
// Message box: SDL's simple box, skipped under the dummy and offscreen drivers.
// Depends on SDL 2.0.22 or later, and on Xlib under X11 (X11Wait.cpp).
#include <SDL.h>

#include <cstdint>

#include "platform/SystemBackEnd.h"

struct SystemWindow {
    SDL_Window* sdlWindow;
    std::uint32_t sdlId;
};

namespace win32layer::sdl {

// The open window that SDL knows by this id, or null: an event for a window closed
// meanwhile has nowhere to go.
SystemWindow* windowWithId(std::uint32_t sdlId);
// The window opened first that is still open, or null.
SystemWindow* firstWindow();

} // namespace win32layer::sdl
