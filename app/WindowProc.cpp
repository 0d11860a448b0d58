#include "app/WindowProc.h"

#include <exception>
#include <new>
#include <utility>

#include "app/BoardPainting.h"
#include "app/CellSelection.h"
#include "core/World.h"

namespace {

constexpr WPARAM escapeCharacter = 27;
constexpr WPARAM spaceCharacter = 32;
// Nothing sends it today; any sender may still close the window with it.
constexpr WORD closeCommand = 100;

LRESULT onDestroy() {
    PostQuitMessage(0);
    return 0;
}

LRESULT onPaint(HWND window) {
    paintBoard(window);
    return 0;
}

// Keys act on characters, so a held space runs one turn per repeat. The turn
// runs to its end here; its paint waits until no other message is waiting.
LRESULT onChar(HWND window, WPARAM character) {
    if (character == escapeCharacter) {
        // Ends the message loop at once; the window goes with the process.
        PostMessageW(window, WM_QUIT, 0, 0);
    } else if (character == spaceCharacter) {
        theWorld->step();
        InvalidateRect(window, nullptr, TRUE);
    }
    return 0;
}

LRESULT onCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) != closeCommand)
        return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
    DestroyWindow(window);
    return 0;
}

LRESULT onLeftButtonDown(HWND window, LPARAM lParam) {
    selectCellAt(window, LOWORD(lParam), HIWORD(lParam));
    return 0;
}

// A move to a monitor of another scale (the manifest asks for per-monitor
// awareness): the system suggests the window's rectangle at the new scale, so
// the board keeps its size to the eye; the whole board is drawn again at the
// new pixels, also when the rectangle keeps its size.
LRESULT onDpiChanged(HWND window, LPARAM lParam) {
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, TRUE);
    return 0;
}

LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        return onDestroy();
    case WM_PAINT:
        return onPaint(window);
    case WM_CHAR:
        return onChar(window, wParam);
    case WM_COMMAND:
        return onCommand(window, wParam, lParam);
    case WM_LBUTTONDOWN:
        return onLeftButtonDown(window, lParam);
    case WM_DPICHANGED:
        return onDpiChanged(window, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// A turn, a paint or a click that found no memory; kept until the loop has ended.
std::exception_ptr failure;

} // namespace

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return handleMessage(window, message, wParam, lParam);
    } catch (const std::bad_alloc&) {
        failure = std::current_exception();
        PostQuitMessage(1);
        return 0;
    }
}

void rethrowWindowFailure() {
    if (failure)
        std::rethrow_exception(std::exchange(failure, nullptr));
}
