#include "LayerTest.h"

#include <cstdlib>
#include <cstring>

namespace {

void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

SDL_Event windowEvent(HWND window, Uint8 kind, int data1 = 0, int data2 = 0) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = win32layer::testing::sdlWindowId(window);
    event.window.event = kind;
    event.window.data1 = data1;
    event.window.data2 = data2;
    return event;
}

} // namespace

void LayerTest::SetUp() { setenv("SDL_VIDEODRIVER", "dummy", 1); }

void LayerTest::TearDown() {
    win32layer::testing::whenIdle({});
    win32layer::testing::reset();
}

HWND openWindow(LPCWSTR className, WNDPROC procedure, int width, int height) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXW);
    windowClass.lpfnWndProc = procedure;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = className;
    EXPECT_NE(RegisterClassExW(&windowClass), 0);
    HWND window = CreateWindowExW(0, className, className, WS_OVERLAPPEDWINDOW, 0, 0, width,
                                  height, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(window, nullptr);
    return window;
}

void pushText(HWND window, const char* text) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = win32layer::testing::sdlWindowId(window);
    std::strncpy(event.text.text, text, sizeof(event.text.text) - 1);
    push(event);
}

void pushKey(HWND window, SDL_Keycode key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.windowID = win32layer::testing::sdlWindowId(window);
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    push(event);
}

void pushClick(HWND window, int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.windowID = win32layer::testing::sdlWindowId(window);
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = SDL_PRESSED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    push(event);
}

void pushCloseButton(HWND window) { push(windowEvent(window, SDL_WINDOWEVENT_CLOSE)); }

void pushResize(HWND window, int width, int height) {
    push(windowEvent(window, SDL_WINDOWEVENT_SIZE_CHANGED, width, height));
}
