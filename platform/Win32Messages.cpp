// The message queue of our Win32 layer. SDL's events become messages in one
// queue, in the order they happened. GetMessageW hands out, like Win32: queued
// messages first, then WM_QUIT once PostQuitMessage was called, then WM_PAINT
// for a window that needs repainting, and only then waits for SDL's next event.
// So several inputs that arrive together are followed by a single paint.
// Serves: systems without Win32; one thread only.
#include "platform/Win32Layer.h"

#include <algorithm>

#include "platform/X11Wait.h"

using win32layer::state;

namespace {

MSG messageFor(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return {window, message, wParam, lParam, SDL_GetTicks(), {0, 0}};
}

void translatePendingEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event) == 1)
        win32layer::translateEvent(event);
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

void waitForEvent() {
    // A test's hook may post messages itself; those need no waiting.
    if (state().beforeWaiting) {
        state().beforeWaiting();
        if (!nothingToHandOut())
            return;
    }
    // Under X11 the layer waits on the X connection, not in SDL (X11Wait.cpp says
    // why); what arrived is taken in by the next round of GetMessageW.
    const auto& windows = state().windows;
    if (!windows.empty() && win32layer::waitOnX11Connection(windows.front()->sdlWindow))
        return;
    SDL_Event event;
    if (SDL_WaitEvent(&event) == 1)
        win32layer::translateEvent(event);
    else
        SDL_Delay(10); // video not running: nothing can arrive, but do not spin hot
}

} // namespace

BOOL WINAPI GetMessageW(LPMSG lpMsg, HWND, UINT, UINT) {
    win32layer::State& layer = state();
    for (;;) {
        translatePendingEvents();
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
        waitForEvent();
    }
}

BOOL WINAPI TranslateMessage(const MSG*) {
    // Characters come from SDL already as WM_CHAR; no key message is left to translate.
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
