#pragma once
// The browser back end of our Win32 layer (platform/SystemBackEnd.h), for the
// web build (Emscripten, with Asyncify for the blocking message loop).
// Serves: the page's <canvas id="board">, given to the program as Module.canvas;
// one window at a time, and each run of the program is a fresh instance of the
// module, as a process would be.
// Window: the canvas. Its size in device pixels is the client area, whatever
// size the program asks for: the page lays it out. The window is visible while
// it is open; it has no frame, title or close button, but the page may close it
// (Module.closeWindow(), which sends WM_CLOSE) or have it painted afresh
// (Module.redrawWindow(), after the page took the board to another turn).
// Input, while the canvas has the focus: typed ASCII characters (space included),
// Escape, Return and Backspace as WM_CHAR (none with Ctrl, Alt or Meta held, so
// the browser's own shortcuts still work; Tab moves the focus on); the primary
// button of a mouse, pen or touch as WM_LBUTTONDOWN in device pixels; size
// changes of the canvas from a ResizeObserver.
// Waiting: the loop yields to the browser until the next event (Asyncify).
// Message box: a modal <dialog class="message-box"> with the caption, the text
// and an OK button; Return or Escape dismisses it too.
// Tells the page: Module.onGetMessage() each time the program looks for its
// next message, Module.onProgramEnd(exitCode) once WinMain has returned.
// The JavaScript side is browser_window.js. Depends on Emscripten 3.1.6 or later.
#include <cstdint>
#include <vector>

#include "platform/SystemBackEnd.h"

struct SystemWindow {
    // The framebuffer in the canvas's own pixel order (RGBA bytes), kept from one
    // present to the next.
    std::vector<std::uint32_t> canvasPixels;
};

// The JavaScript side (browser_window.js).
extern "C" {
int browser_start();
// Listens to the canvas; its events are queued with the kinds given (BrowserEvent).
void browser_open_window(int character, int click, int resize, int close, int redraw);
int browser_client_width();
int browser_client_height();
int browser_show_window();
void browser_close_window();
void browser_present(const std::uint32_t* rgba, int width, int height);
// One event of the queue into event[0..2] (kind, then two numbers); 0 when there is none.
int browser_next_event(int* event);
// Returns once an event is queued; the program sleeps meanwhile (Asyncify).
void browser_wait();
// Shows the message box and returns once it is dismissed (Asyncify).
void browser_message_box(const char* caption, const char* text);
void browser_get_message_hook();
void browser_program_end(int exitCode);
}

// The kinds of event in browser_window.js's queue, handed to it by browser_open_window:
// this is their only definition.
enum class BrowserEvent { character = 1, click = 2, resize = 3, close = 4, redraw = 5 };
