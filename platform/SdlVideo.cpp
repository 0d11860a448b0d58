// Starting SDL's video for our Win32 layer, and what it tells about the display.
// Serves: systems without Win32. Depends on SDL 2.0.22 or later (the hint that
// keeps SDL from quitting when the last window closes).
#include "platform/Win32Layer.h"

#include <cstdlib>
#include <cstring>

namespace win32layer {

bool startVideo() {
    State& layer = state();
    if (layer.videoStarted)
        return true;
    // Present through the window surface: without this SDL tries OpenGL first,
    // re-creates the window and presents several times slower.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // The close button must arrive once, as WM_CLOSE, not a second time as SDL_QUIT.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // A Windows program has no Ctrl+C; leave SIGINT and SIGTERM to end the process.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    layer.videoStarted = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    return layer.videoStarted;
}

bool invisibleDriver() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver == nullptr || std::strcmp(driver, "dummy") == 0 ||
           std::strcmp(driver, "offscreen") == 0;
}

bool displayMissing() {
    // With no display SDL quietly picks its offscreen driver and the window would
    // open nowhere; only a driver chosen on purpose (as in tests) may be invisible.
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    return invisibleDriver() && (asked == nullptr || *asked == '\0');
}

SDL_Point defaultClientSize() {
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w <= 0 || usable.h <= 0)
        return {800, 600};
    return {usable.w * 3 / 4, usable.h * 3 / 4};
}

} // namespace win32layer
