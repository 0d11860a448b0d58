#include "platform/Win32TestAccess.h"

#include <utility>

#include "platform/Win32Layer.h"
#include "platform/sdl/SdlBackEnd.h"

namespace win32layer::testing {

int liveDrawingObjects() { return state().drawingObjects.live(); }

COLORREF pixelAt(HWND window, int x, int y) {
    return colourOf(liveWindow(window)->framebuffer.pixel(x, y));
}

HWND newestWindow() { return state().windows.empty() ? nullptr : state().windows.back().get(); }

std::uint32_t sdlWindowId(HWND window) { return liveWindow(window)->system->sdlId; }

void whenIdle(std::function<void()> hook) { state().beforeWaiting = std::move(hook); }

void reset() { shutdown(); }

} // namespace win32layer::testing
