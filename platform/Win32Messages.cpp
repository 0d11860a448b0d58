// The message queue of our Win32 layer. What the back end reports (Win32Reports.cpp)
// becomes messages in one queue, in the order it happened. GetMessageW hands out, like Win32:
// queued messages first, then WM_QUIT once PostQuitMessage was called, then
// WM_PAINT for a window that needs repainting, and only then waits for the
// system's next event. So several inputs that arrive together are followed by
// a single paint. One thread only.
#include "platform/Win32Layer.h"

#include <algorithm>

using win32layer::state;

namespace {

MSG messageFor(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return {window, message, wParam, lParam, 0, {0, 0}};
}

HWND windowNeedingPaint() {
    for (const auto& open : state().windows) {
        if (!open->update.empty())
            return open.get();
    }
    return nullptr;
}

bool nothingToHandOut() {
    const win32layer::State& layer = state();
    return layer.queue.empty() && !layer.quitPosted && windowNeedingPaint() == nullptr;
}

void waitForEvents() {
    // A test's hook may post messages itself; those need no waiting.
    if (state().beforeWaiting) {
        state().beforeWaiting();
        if (!nothingToHandOut())
            return;
    }
    win32layer::system::waitForEvents();
}

} // namespace

BOOL WINAPI GetMessageW(LPMSG lpMsg, HWND, UINT, UINT) {
    win32layer::State& layer = state();
    for (;;) {
        win32layer::system::takeEvents();
        if (!layer.queue.empty()) {
            *lpMsg = layer.queue.front();
            layer.queue.pop_front();
            return lpMsg->message == WM_QUIT ? FALSE : TRUE;
        }
        if (layer.quitPosted) {
            layer.quitPosted = false;
            *lpMsg = messageFor(nullptr, WM_QUIT, static_cast<WPARAM>(layer.quitCode), 0);
            return FALSE;
        }
        if (HWND window = windowNeedingPaint()) {
            *lpMsg = messageFor(window, WM_PAINT, 0, 0);
            return TRUE;
        }
        waitForEvents();
    }
}

BOOL WINAPI TranslateMessage(const MSG*) {
    // Characters come from the back end already as WM_CHAR; no key message is left to translate.
    return FALSE;
}

LRESULT WINAPI DispatchMessageW(const MSG* lpMsg) {
    HWND__* window = lpMsg ? win32layer::liveWindow(lpMsg->hwnd) : nullptr;
    if (window == nullptr)
        return 0;
    return window->procedure(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

BOOL WINAPI PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd != nullptr && win32layer::liveWindow(hWnd) == nullptr)
        return FALSE;
    win32layer::post(hWnd, Msg, wParam, lParam);
    return TRUE;
}

void WINAPI PostQuitMessage(int nExitCode) {
    state().quitPosted = true;
    state().quitCode = nExitCode;
}

namespace win32layer {

void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    state().queue.push_back(messageFor(window, message, wParam, lParam));
}

void dropMessagesFor(HWND window) {
    std::erase_if(state().queue, [&](const MSG& queued) { return queued.hwnd == window; });
}

} // namespace win32layer
