// Waiting for input under SDL's X11 driver, for the SDL back end. Depends on
// SDL2 and Xlib (the Display of SDL's window).
//
// Why not SDL_WaitEvent: while it blocks, SDL 2 wakes itself whenever an event
// arrives, by sending a ClientMessage to our window over a second X connection
// of its own. Requests on two connections keep no order between them, and the
// X server (Xvfb) was seen to leave such a message unhandled until SDL closed
// that connection at the end, after the window was gone: a BadWindow error for
// X_SendEvent, and Xlib's default error handler ends the process with status 1
// instead of the program's own exit code. Our program has one thread, so
// nothing ever needs waking from outside: waiting on the X connection ourselves
// makes SDL never send such a message. Limits: the same as SDL's own wait under
// X11, which also blocks on this connection alone.
#include "platform/sdl/X11Wait.h"

#include <SDL_syswm.h>
#include <poll.h>

#include <cstring>

namespace win32layer {

bool waitOnX11Connection(SDL_Window* window) {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (window == nullptr || driver == nullptr || std::strcmp(driver, "x11") != 0)
        return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11)
        return false;
    Display* display = info.info.x11.display;
    // Sends a paint still in Xlib's buffer, and takes in events that have already
    // arrived: those must not wait for more to come.
    if (XEventsQueued(display, QueuedAfterFlush) > 0)
        return true;
    pollfd connection{XConnectionNumber(display), POLLIN, 0};
    // An interrupted wait returns too: the caller looks again and waits again.
    poll(&connection, 1, -1);
    return true;
}

} // namespace win32layer
