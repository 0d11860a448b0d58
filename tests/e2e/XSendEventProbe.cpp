// Preloaded into the window program by window_e2e.sh (LD_PRELOAD). Notes, in the
// file named by LURKFIELD_X_PROBE_LOG, each window the program creates and each
// XSendEvent to one of them over another X connection than the window's own. The
// X server may handle such a request after the window is gone, even at the very
// end, and then Xlib ends the program with status 1: the program must send none.
// Works where SDL calls Xlib through the dynamic linker (Debian's SDL2 does).
#include <X11/Xlib.h>
#include <dlfcn.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct CreatedWindow {
    Window window;
    Display* display;
};

std::array<CreatedWindow, 64> created{};
std::size_t createdCount = 0;

// The real function of that name, further down the library search order.
template <typename Function>
Function nextNamed(const char* name) {
    void* found = dlsym(RTLD_NEXT, name);
    Function function = nullptr;
    static_assert(sizeof function == sizeof found);
    std::memcpy(&function, &found, sizeof function);
    return function;
}

void note(const char* what, Window window) {
    const char* path = std::getenv("LURKFIELD_X_PROBE_LOG");
    if (path == nullptr)
        return;
    if (std::FILE* log = std::fopen(path, "a")) {
        std::fprintf(log, "%s window 0x%lx\n", what, window);
        std::fclose(log);
    }
}

} // namespace

extern "C" Window XCreateWindow(Display* display, Window parent, int x, int y, unsigned int width,
                                unsigned int height, unsigned int borderWidth, int depth,
                                unsigned int windowClass, Visual* visual, unsigned long valueMask,
                                XSetWindowAttributes* attributes) {
    static const auto real = nextNamed<decltype(&XCreateWindow)>("XCreateWindow");
    const Window window = real(display, parent, x, y, width, height, borderWidth, depth,
                               windowClass, visual, valueMask, attributes);
    if (createdCount < created.size())
        created[createdCount++] = {window, display};
    note("created", window);
    return window;
}

extern "C" Status XSendEvent(Display* display, Window window, Bool propagate, long eventMask,
                             XEvent* event) {
    static const auto real = nextNamed<decltype(&XSendEvent)>("XSendEvent");
    for (std::size_t i = 0; i < createdCount; ++i) {
        if (created[i].window == window && created[i].display != display)
            note("XSendEvent over a second X connection to", window);
    }
    return real(display, window, propagate, eventMask, event);
}
