// The canvas as our one window, its events as the back end's reports, and the
// message box: the C++ half of the browser back end, for the web build
// (BrowserBackEnd.h says what it serves).
#include "platform/browser/BrowserBackEnd.h"

#include <memory>

namespace {

// The canvas is one window; a second one is refused.
std::unique_ptr<SystemWindow> canvasWindow;

int kindOf(BrowserEvent event) { return static_cast<int>(event); }

// The framebuffer holds 0x00RRGGBB; the canvas wants the bytes R, G, B, A, which
// a little-endian word holds as 0xAABBGGRR.
std::uint32_t canvasPixelOf(win32layer::Pixel pixel) {
    return 0xFF000000u | ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}

void translateEvent(SystemWindow& window, const int (&event)[3]) {
    namespace report = win32layer::report;
    switch (static_cast<BrowserEvent>(event[0])) {
    case BrowserEvent::character:
        report::character(window, static_cast<unsigned>(event[1]));
        break;
    case BrowserEvent::click:
        report::click(window, event[1], event[2]);
        break;
    case BrowserEvent::resize:
        report::size(window, event[1], event[2]);
        break;
    case BrowserEvent::close:
        report::close(window);
        break;
    case BrowserEvent::redraw:
        report::redraw(window);
        break;
    }
}

} // namespace

namespace win32layer::system {

bool start() { return browser_start() != 0; }

const char* whyNoWindows() { return start() ? nullptr : "the page has no board canvas."; }

void stop() { closeWindow(canvasWindow.get()); }

SystemWindow* openWindow(const char*, bool, std::optional<ClientSize>) {
    if (canvasWindow)
        return nullptr;
    canvasWindow = std::make_unique<SystemWindow>();
    browser_open_window(kindOf(BrowserEvent::character), kindOf(BrowserEvent::click),
                        kindOf(BrowserEvent::resize), kindOf(BrowserEvent::close),
                        kindOf(BrowserEvent::redraw));
    return canvasWindow.get();
}

ClientSize clientSize(const SystemWindow&) {
    return {browser_client_width(), browser_client_height()};
}

// The canvas's size is the page's layout, which the program does not choose.
void resizeWindow(SystemWindow&, ClientSize) {}

bool showWindow(SystemWindow&) { return browser_show_window() != 0; }

void closeWindow(SystemWindow* window) {
    if (window == nullptr || window != canvasWindow.get())
        return;
    browser_close_window();
    canvasWindow.reset();
}

void present(SystemWindow& window, const Framebuffer& framebuffer) {
    const std::size_t count = static_cast<std::size_t>(framebuffer.width()) *
                              static_cast<std::size_t>(framebuffer.height());
    window.canvasPixels.resize(count);
    const Pixel* pixels = framebuffer.data();
    for (std::size_t i = 0; i < count; ++i)
        window.canvasPixels[i] = canvasPixelOf(pixels[i]);
    browser_present(window.canvasPixels.data(), framebuffer.width(), framebuffer.height());
}

void takeEvents() {
    browser_get_message_hook();
    int event[3];
    while (browser_next_event(event) != 0) {
        // Events for a window closed meanwhile have nowhere to go.
        if (canvasWindow)
            translateEvent(*canvasWindow, event);
    }
}

void waitForEvents() { browser_wait(); }

void showMessageBox(const char* caption, const char* text) { browser_message_box(caption, text); }

} // namespace win32layer::system
