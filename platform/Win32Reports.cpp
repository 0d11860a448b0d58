// What a back end reports of its windows, as the messages a Win32 window
// procedure would see for it (platform/SystemBackEnd.h lists the reports). Every
// back end's input passes through here, so each rule is stated once.
#include "platform/Win32Layer.h"

#include <algorithm>

using win32layer::state;

namespace {

// Null for a window the Win32 side has already let go of.
HWND__* windowOn(const SystemWindow& system) {
    const auto& windows = state().windows;
    const auto found = std::find_if(windows.begin(), windows.end(),
                                    [&](const auto& open) { return open->system == &system; });
    return found == windows.end() ? nullptr : found->get();
}

// WM_LBUTTONDOWN's lParam: client coordinates in the low and high word.
LPARAM pointParameter(int x, int y) {
    return static_cast<LPARAM>((static_cast<DWORD>(y & 0xFFFF) << 16) |
                               static_cast<DWORD>(x & 0xFFFF));
}

} // namespace

namespace win32layer::report {

void character(SystemWindow& system, unsigned code) {
    // A repeat count of 1: every key press arrives as a report of its own.
    if (HWND__* window = windowOn(system); window != nullptr && code < 0x80)
        post(window, WM_CHAR, static_cast<WPARAM>(code), 1);
}

void click(SystemWindow& system, int x, int y) {
    if (HWND__* window = windowOn(system))
        post(window, WM_LBUTTONDOWN, MK_LBUTTON, pointParameter(x, y));
}

void size(SystemWindow& system, int width, int height) {
    if (HWND__* window = windowOn(system))
        resizeClient(*window, width, height);
}

void close(SystemWindow& system) {
    if (HWND__* window = windowOn(system))
        post(window, WM_CLOSE, 0, 0);
}

void repaint(SystemWindow& system) {
    // After a resize the repaint that waits will show itself.
    if (HWND__* window = windowOn(system); window != nullptr && window->update.empty())
        win32layer::system::present(system, window->framebuffer);
}

void redraw(SystemWindow& system) {
    if (HWND__* window = windowOn(system))
        InvalidateRect(window, nullptr, TRUE);
}

} // namespace win32layer::report
