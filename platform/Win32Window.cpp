// Window classes, windows and the message box of our Win32 layer. Each window
// stands on a window of the system back end, which draws its frame and sizes
// its client area; there are no child windows, menus or owned windows.
#include "platform/Win32Layer.h"

#include <algorithm>
#include <cstdio>

using win32layer::state;

namespace {

constexpr ATOM firstClassAtom = 0xC000;

const win32layer::WindowClass* findClass(LPCWSTR name) {
    if (name == nullptr)
        return nullptr;
    const auto& classes = state().classes;
    const auto found = std::find_if(classes.begin(), classes.end(),
                                    [&](const auto& known) { return known.name == name; });
    return found == classes.end() ? nullptr : &*found;
}

// The titles we are given are ASCII; anything else shows as '?'.
std::string asciiTitle(LPCWSTR title) {
    std::string ascii;
    for (; title != nullptr && *title != L'\0'; ++title)
        ascii += *title < 0x80 ? static_cast<char>(*title) : '?';
    return ascii;
}

} // namespace

HCURSOR WINAPI LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName) {
    // The system shows its own arrow; other cursors and cursor resources are not supported.
    if (hInstance != nullptr || lpCursorName != IDC_ARROW)
        return nullptr;
    return reinterpret_cast<HCURSOR>(IDC_ARROW);
}

ATOM WINAPI RegisterClassExW(const WNDCLASSEXW* windowClass) {
    if (windowClass == nullptr || windowClass->cbSize != sizeof(WNDCLASSEXW) ||
        windowClass->lpfnWndProc == nullptr || windowClass->lpszClassName == nullptr ||
        findClass(windowClass->lpszClassName) != nullptr)
        return 0;
    auto& classes = state().classes;
    classes.push_back(
        {windowClass->lpszClassName, windowClass->lpfnWndProc, windowClass->hbrBackground});
    return static_cast<ATOM>(firstClassAtom + classes.size() - 1);
}

HWND WINAPI CreateWindowExW(DWORD, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int,
                            int, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE,
                            LPVOID lpParam) {
    const win32layer::WindowClass* windowClass = findClass(lpClassName);
    if (windowClass == nullptr || hWndParent != nullptr || hMenu != nullptr || lpParam != nullptr ||
        !win32layer::system::start())
        return nullptr;
    std::optional<win32layer::system::ClientSize> size;
    if (nWidth != CW_USEDEFAULT)
        size = {nWidth, nHeight};
    SystemWindow* system = win32layer::system::openWindow(asciiTitle(lpWindowName).c_str(),
                                                          (dwStyle & WS_THICKFRAME) != 0, size);
    if (system == nullptr)
        return nullptr;
    auto window = std::make_unique<HWND__>();
    window->procedure = windowClass->procedure;
    window->background = windowClass->background;
    window->system = system;
    const win32layer::system::ClientSize client = win32layer::system::clientSize(*system);
    // The first paint waits from here: not every system announces a new window's content.
    win32layer::resizeClient(*window, client.width, client.height);
    state().windows.push_back(std::move(window));
    return state().windows.back().get();
}

BOOL WINAPI ShowWindow(HWND hWnd, int) {
    HWND__* window = win32layer::liveWindow(hWnd);
    if (window == nullptr)
        return FALSE;
    return win32layer::system::showWindow(*window->system) ? TRUE : FALSE;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
    HWND__* window = win32layer::liveWindow(hWnd);
    if (window == nullptr || window->destroying)
        return FALSE;
    window->destroying = true;
    window->procedure(hWnd, WM_DESTROY, 0, 0);
    win32layer::dropMessagesFor(hWnd);
    win32layer::system::closeWindow(window->system);
    std::erase_if(state().windows, [&](const auto& open) { return open.get() == window; });
    return TRUE;
}

LRESULT WINAPI DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM) {
    switch (Msg) {
    case WM_CLOSE: // the close button, Alt+F4 through the window manager
        DestroyWindow(hWnd);
        return 0;
    case WM_ERASEBKGND:
        return win32layer::eraseBackground(hWnd, reinterpret_cast<HDC>(wParam));
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hWnd, &paint);
        EndPaint(hWnd, &paint);
        return 0;
    }
    default:
        return 0;
    }
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int, int, int cx, int cy, UINT uFlags) {
    HWND__* window = win32layer::liveWindow(hWnd);
    if (window == nullptr || hWndInsertAfter != nullptr ||
        (uFlags & ~static_cast<UINT>(SWP_NOZORDER | SWP_NOACTIVATE)) != 0 || cx < 0 || cy < 0)
        return FALSE;
    win32layer::system::resizeWindow(*window->system, {cx, cy});
    const win32layer::system::ClientSize client = win32layer::system::clientSize(*window->system);
    if (client.width != window->framebuffer.width() ||
        client.height != window->framebuffer.height())
        win32layer::resizeClient(*window, client.width, client.height);
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
    const HWND__* window = win32layer::liveWindow(hWnd);
    if (window == nullptr || lpRect == nullptr)
        return FALSE;
    *lpRect = {0, 0, window->framebuffer.width(), window->framebuffer.height()};
    return TRUE;
}

int WINAPI MessageBoxA(HWND, LPCSTR lpText, LPCSTR lpCaption, UINT) {
    // Standard error first, so the text is seen wherever the program runs.
    const char* text = lpText != nullptr ? lpText : "";
    const char* caption = lpCaption != nullptr ? lpCaption : "Error";
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
    win32layer::system::showMessageBox(caption, text);
    return IDOK;
}

namespace win32layer {

HWND__* liveWindow(HWND window) {
    const auto& windows = state().windows;
    const auto found = std::find_if(windows.begin(), windows.end(),
                                    [&](const auto& open) { return open.get() == window; });
    return found == windows.end() ? nullptr : found->get();
}

bool anyDeviceContextSelects(HGDIOBJ object) {
    return std::any_of(state().windows.begin(), state().windows.end(), [&](const auto& open) {
        return open->dc.pen == object || open->dc.brush == object;
    });
}

} // namespace win32layer
