#pragma once
// For tests only: a look inside our Win32 layer that the program never takes.
// Not part of <windows.h>; a test includes it beside it. The tests run on the
// SDL back end (SDL's dummy driver), so their input is SDL events.
#include <windows.h>

#include <cstdint>
#include <functional>

namespace win32layer::testing {

// Pens and brushes made with CreatePen or CreateSolidBrush and not yet deleted.
int liveDrawingObjects();

// A pixel of the window's framebuffer as a COLORREF, to compare with RGB().
COLORREF pixelAt(HWND window, int x, int y);

// The window opened last that is still open, or null.
HWND newestWindow();

// The SDL id of a window, for events pushed with SDL_PushEvent.
std::uint32_t sdlWindowId(HWND window);

// Runs each time GetMessageW is about to wait for input; a test pushes its next
// events from here. Pass an empty function to stop.
void whenIdle(std::function<void()> hook);

// Closes every window without messages and forgets everything, as before the
// program started.
void reset();

} // namespace win32layer::testing
