// Window classes and windows of our Win32 layer, each window an SDL window.
// Serves: systems without Win32. SDL draws the frame and sizes the client area;
// there are no child windows, menus or owned windows.
#include "platform/Win32Layer.h"

#include <algorithm>

using win32layer::state;

namespace {

constexpr ATOM firstClassAtom = 0xC000;
constexpr UINT_PTR arrowCursor = 32512;

const win32layer::WindowClass* findClass(LPCWSTR name) {
    if (name == nullptr)
        return nullptr;
    const auto& classes = state().classes;
    const auto found = std::find_if(classes.begin(), classes.end(),
                                    [&](const auto& known) { return known.name == name; });
    return found == classes.end() ? nullptr : &*found;
}

// SDL wants UTF-8; the titles we are given are ASCII, anything else shows as '?'.
std::string asciiTitle(LPCWSTR title) {
    std::string ascii;
    for (; title != nullptr && *title != L'\0'; ++title)
        ascii += *title < 0x80 ? static_cast<char>(*title) : '?';
    return ascii;
}

// The size given is the client area's: SDL adds the frame.
SDL_Window* openSdlWindow(LPCWSTR title, DWORD style, int x, int y, int width, int height) {
    const bool systemPlaces = x == CW_USEDEFAULT;
    const SDL_Point size = width == CW_USEDEFAULT ? win32layer::defaultClientSize()
                                                  : SDL_Point{width, height};
    const Uint32 flags = SDL_WINDOW_HIDDEN | ((style & WS_THICKFRAME) ? SDL_WINDOW_RESIZABLE : 0);
    return SDL_CreateWindow(asciiTitle(title).c_str(),
                            systemPlaces ? SDL_WINDOWPOS_UNDEFINED : x,
                            systemPlaces ? SDL_WINDOWPOS_UNDEFINED : y, size.x, size.y, flags);
}

} // namespace

HCURSOR WINAPI LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName) {
    // SDL shows its own arrow; other cursors and cursor resources are not supported.
    if (hInstance != nullptr || lpCursorName != MAKEINTRESOURCEW(arrowCursor))
        return nullptr;
    return reinterpret_cast<HCURSOR>(arrowCursor);
}

ATOM WINAPI RegisterClassExW(const WNDCLASSEXW* windowClass) {
    if (windowClass == nullptr || windowClass->cbSize != sizeof(WNDCLASSEXW) ||
        windowClass->lpfnWndProc == nullptr || windowClass->lpszClassName == nullptr ||
        findClass(windowClass->lpszClassName) != nullptr)
        return 0;
    auto& classes = state().classes;
    classes.push_back({windowClass->lpszClassName, windowClass->lpfnWndProc,
                       windowClass->hbrBackground});
    return static_cast<ATOM>(firstClassAtom + classes.size() - 1);
}

HWND WINAPI CreateWindowExW(DWORD, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle,
                            int X, int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                            HINSTANCE, LPVOID lpParam) {
    const win32layer::WindowClass* windowClass = findClass(lpClassName);
    if (windowClass == nullptr || hWndParent != nullptr || hMenu != nullptr ||
        lpParam != nullptr || !win32layer::startVideo())
        return nullptr;
    SDL_Window* sdlWindow = openSdlWindow(lpWindowName, dwStyle, X, Y, nWidth, nHeight);
    if (sdlWindow == nullptr)
        return nullptr;
    auto window = std::make_unique<HWND__>();
    window->procedure = windowClass->procedure;
    window->background = windowClass->background;
    window->sdlWindow = sdlWindow;
    window->sdlId = SDL_GetWindowID(sdlWindow);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(sdlWindow, &width, &height);
    // No EXPOSED event comes from the invisible drivers: the first paint waits here.
    win32layer::resizeClient(*window, width, height);
    state().windows.push_back(std::move(window));
    return state().windows.back().get();
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    HWND__* window = win32layer::liveWindow(hWnd);
    if (window == nullptr)
        return FALSE;
    const bool wasVisible = (SDL_GetWindowFlags(window->sdlWindow) & SDL_WINDOW_SHOWN) != 0;
    if (nCmdShow == SW_HIDE)
        SDL_HideWindow(window->sdlWindow);
    else
        SDL_ShowWindow(window->sdlWindow);
    return wasVisible ? TRUE : FALSE;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
    HWND__* window = win32layer::liveWindow(hWnd);
    if (window == nullptr || window->destroying)
        return FALSE;
    window->destroying = true;
    window->procedure(hWnd, WM_DESTROY, 0, 0);
    win32layer::dropMessagesFor(hWnd);
    SDL_DestroyWindow(window->sdlWindow);
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

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
    const HWND__* window = win32layer::liveWindow(hWnd);
    if (window == nullptr || lpRect == nullptr)
        return FALSE;
    *lpRect = {0, 0, window->framebuffer.width(), window->framebuffer.height()};
    return TRUE;
}

namespace win32layer {

HWND__* liveWindow(HWND window) {
    const auto& windows = state().windows;
    const auto found = std::find_if(windows.begin(), windows.end(),
                                    [&](const auto& open) { return open.get() == window; });
    return found == windows.end() ? nullptr : found->get();
}

HWND__* windowWithSdlId(std::uint32_t sdlId) {
    for (const auto& open : state().windows) {
        if (open->sdlId == sdlId)
            return open.get();
    }
    return nullptr;
}

bool anyDeviceContextSelects(HGDIOBJ object) {
    return std::any_of(state().windows.begin(), state().windows.end(), [&](const auto& open) {
        return open->dc.pen == object || open->dc.brush == object;
    });
}

} // namespace win32layer
