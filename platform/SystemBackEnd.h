#pragma once
// The boundary between the two sides of our Win32 layer. The Win32 side
// (platform/*.cpp: state, windows, messages, GDI objects, raster) is the same
// everywhere; a system back end gives it real windows and input. Exactly one
// back end is linked into a program:
//   platform/sdl/      SDL2, for Linux and other desktops
//   platform/browser/  a canvas and the page's events, for the web build
//   platform/offscreen/ framebuffers alone, for pictures painted without a screen
// A back end includes this header and never platform/Win32Layer.h: it knows its
// windows only as the SystemWindow it opened, and HWNDs not at all.
//
// Downward, what every back end serves and the Win32 side relies on:
//  start, stop       the system's video, once per process; stop also closes every window.
//  whyNoWindows      for the program's entry: starts the video; null when windows can open
//                    here, else why not, as the end of a sentence for standard error.
//  openWindow        a hidden window; the system may choose another client size than asked.
//  clientSize        the client area now, in pixels.
//  resizeWindow      asks for another client size; the system may keep another.
//  showWindow        makes it visible; says whether it was before.
//  closeWindow       closes it at once, without messages.
//  present           shows a framebuffer in the window, pixel for pixel.
//  takeEvents        reports what has arrived (upward, below), without waiting.
//  waitForEvents     returns once something may have arrived; takeEvents then takes it in.
//  showMessageBox    shows a caption and a text with an OK button until it is dismissed.
//
// Upward, what a back end reports of a window it opened and has not closed; the Win32
// side turns each into what the window procedure sees (Win32Reports.cpp):
//  character         a typed character: WM_CHAR, for ASCII only (others are dropped).
//  click             the primary button pressed at a client point: WM_LBUTTONDOWN.
//  size              a new client size: the framebuffer follows and a full repaint waits.
//  close             the user asks to close the window: WM_CLOSE.
//  repaint           the system lost the window's pixels: the last paint is shown again,
//                    unless a repaint waits anyway.
//  redraw            what the window shows has changed outside its messages (the page
//                    took the board to another turn): the whole client area is invalid.
// And the program's entry, which each back end's main calls (Win32Entry.cpp).
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
const char* whyNoWindows();

// Null when the system refuses; without a size, the system chooses one.
SystemWindow* openWindow(const char* title, bool resizable, std::optional<ClientSize> size);
ClientSize clientSize(const SystemWindow& window);
void resizeWindow(SystemWindow& window, ClientSize size);
bool showWindow(SystemWindow& window);
void closeWindow(SystemWindow* window);
void present(SystemWindow& window, const Framebuffer& framebuffer);

void takeEvents();
void waitForEvents();

void showMessageBox(const char* caption, const char* text);

} // namespace win32layer::system

namespace win32layer::report {

void character(SystemWindow& window, unsigned code);
void click(SystemWindow& window, int x, int y);
void size(SystemWindow& window, int width, int height);
void close(SystemWindow& window);
void repaint(SystemWindow& window);
void redraw(SystemWindow& window);

} // namespace win32layer::report

namespace win32layer {

// Runs WinMain as Windows would, with the arguments after the program's name as its
// command line, and closes what it left open; or, when no window can open here,
// says why on standard error. Returns the process's exit code.
int runProgram(int argc, char* argv[]);

} // namespace win32layer
