#pragma once
// Waiting for input under SDL's X11 driver without SDL's own wait (X11Wait.cpp
// says why). Kept apart from Win32Layer.h: Xlib's headers define names such as
// None, Bool and Status that must not meet our <windows.h>.
#include <SDL.h>

namespace win32layer {

// When SDL draws through X11: sends what is still buffered for the server and
// waits until the X connection of `window` has something to read, then returns
// true; the caller takes the events in with SDL_PollEvent. Under any other
// driver returns false at once and the caller waits as usual.
bool waitOnX11Connection(SDL_Window* window);

} // namespace win32layer
