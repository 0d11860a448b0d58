// SDL's video for the SDL back end, for Linux and other desktops: starting it,
// its windows, presenting a framebuffer, and the message box.
#include "platform/sdl/SdlBackEnd.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

bool videoStarted = false;
// In the order they were opened.
std::vector<std::unique_ptr<SystemWindow>> openWindows;

// True when SDL draws nowhere visible (the dummy and offscreen drivers).
bool invisibleDriver() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver == nullptr || std::strcmp(driver, "dummy") == 0 ||
           std::strcmp(driver, "offscreen") == 0;
}

// True when SDL fell back to an invisible driver that nobody asked for: no display.
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

} // namespace

namespace win32layer::system {

bool start() {
    if (videoStarted)
        return true;
    // Present through the window surface: without this SDL tries OpenGL first,
    // re-creates the window and presents several times slower.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // The close button must arrive once, as WM_CLOSE, not a second time as SDL_QUIT.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // A Windows program has no Ctrl+C; leave SIGINT and SIGTERM to end the process.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    videoStarted = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    return videoStarted;
}

void stop() {
    videoStarted = false;
    openWindows.clear();
    SDL_Quit();
}

const char* whyNoWindows() {
    static std::string why;
    if (start() && !displayMissing())
        return nullptr;
    why = std::string("no display is available (") +
          (videoStarted ? "no X11 or Wayland display was found" : SDL_GetError()) +
          ").\nTo play without a display, run the text front end lurkfield-text.";
    return why.c_str();
}

SystemWindow* openWindow(const char* title, bool resizable, std::optional<ClientSize> size) {
    const SDL_Point client = size ? SDL_Point{size->width, size->height} : defaultClientSize();
    const Uint32 flags = SDL_WINDOW_HIDDEN | (resizable ? SDL_WINDOW_RESIZABLE : 0);
    SDL_Window* sdlWindow = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED,
                                             SDL_WINDOWPOS_UNDEFINED, client.x, client.y, flags);
    if (sdlWindow == nullptr)
        return nullptr;
    openWindows.push_back(
        std::make_unique<SystemWindow>(SystemWindow{sdlWindow, SDL_GetWindowID(sdlWindow)}));
    return openWindows.back().get();
}

ClientSize clientSize(const SystemWindow& window) {
    ClientSize size{0, 0};
    SDL_GetWindowSize(window.sdlWindow, &size.width, &size.height);
    return size;
}

void resizeWindow(SystemWindow& window, ClientSize size) {
    // A window manager may keep another size; the Win32 side reads the size back.
    SDL_SetWindowSize(window.sdlWindow, size.width, size.height);
}

bool showWindow(SystemWindow& window) {
    const bool wasVisible = (SDL_GetWindowFlags(window.sdlWindow) & SDL_WINDOW_SHOWN) != 0;
    SDL_ShowWindow(window.sdlWindow);
    return wasVisible;
}

void closeWindow(SystemWindow* window) {
    if (window == nullptr)
        return;
    SDL_DestroyWindow(window->sdlWindow);
    std::erase_if(openWindows, [&](const auto& open) { return open.get() == window; });
}

void present(SystemWindow& window, const Framebuffer& framebuffer) {
    // Fetched anew every time: a resize makes the previous surface invalid.
    SDL_Surface* surface = SDL_GetWindowSurface(window.sdlWindow);
    if (surface == nullptr || framebuffer.width() == 0 || framebuffer.height() == 0)
        return;
    const int width = std::min(framebuffer.width(), surface->w);
    const int height = std::min(framebuffer.height(), surface->h);
    SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB888, framebuffer.data(),
                      framebuffer.width() * static_cast<int>(sizeof(Pixel)),
                      surface->format->format, surface->pixels, surface->pitch);
    SDL_UpdateWindowSurface(window.sdlWindow);
}

void showMessageBox(const char* caption, const char* text) {
    // Under the dummy and offscreen drivers SDL's helper for the box would crash.
    if (start() && !invisibleDriver())
        SDL_ShowSimpleMessageBox(0, caption, text, nullptr);
}

} // namespace win32layer::system

namespace win32layer::sdl {

SystemWindow* windowWithId(std::uint32_t sdlId) {
    const auto found = std::find_if(openWindows.begin(), openWindows.end(),
                                    [&](const auto& open) { return open->sdlId == sdlId; });
    return found == openWindows.end() ? nullptr : found->get();
}

SystemWindow* firstWindow() { return openWindows.empty() ? nullptr : openWindows.front().get(); }

} // namespace win32layer::sdl
