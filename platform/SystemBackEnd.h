#pragma once
// The boundary between the two sides of our Win32 layer. The Win32 side
// (platform/*.cpp: state, windows, messages, GDI objects, raster) is the same
// everywhere; a system back end gives it real windows and input. Exactly one
// back end is linked into a program:
//   platform/sdl/      SDL2, for Linux and other desktops
//   platform/browser/  a canvas and the page's events, for the web build
//
// What every back end serves, and what the Win32 side relies on:
//  start, stop       the system's video, once per process; stop also closes every window.
//  openWindow        a hidden window; the system may choose another client size than asked.
//  clientSize        the client area now, in pixels.
//  showWindow        makes it visible; says whether it was before.
//  closeWindow       closes it at once, without messages.
//  present           shows a framebuffer in the window, pixel for pixel.
//  takeEvents        turns what has arrived into messages (win32layer::post) and size
//                    changes (win32layer::resizeClient), without waiting.
//  waitForEvents     returns once something may have arrived; takeEvents then takes it in.
//  showMessageBox    shows a caption and a text with an OK button until it is dismissed.
#include <optional>

#include "platform/Raster.h"

// A back end's own window behind one HWND; each back end defines it.
struct SystemWindow;

namespace win32layer::system {

struct ClientSize {
    int width;
    int height;
};

bool start(); // false when the program cannot show a window here at all
void stop();

// Null when the system refuses; without a size, the system chooses one.
SystemWindow* openWindow(const char* title, bool resizable, std::optional<ClientSize> size);
ClientSize clientSize(const SystemWindow& window);
bool showWindow(SystemWindow& window);
void closeWindow(SystemWindow* window);
void present(SystemWindow& window, const Framebuffer& framebuffer);

void takeEvents();
void waitForEvents();

void showMessageBox(const char* caption, const char* text);

} // namespace win32layer::system
