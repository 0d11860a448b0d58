#pragma once
// The offscreen back end of our Win32 layer (platform/SystemBackEnd.h), for a
// process that draws the board without any screen (the Python module's
// pictures).
// Serves: any system; no display, no SDL.
// Windows: framebuffers only, of exactly the client size asked for (800 x 600
// when none is); never visible.
// Input: none ever arrives, and waiting for it returns at once.
// Message box: its caption and text go to standard error only (the Win32 side
// writes them there first), nothing is shown.
// Tells the program: the pixels presented last (below).
#include "platform/SystemBackEnd.h"

namespace win32layer::offscreen {

// What the last EndPaint of any window presented, pixel for pixel; empty (0 x 0)
// before the first.
const Framebuffer& lastPresented();

} // namespace win32layer::offscreen
