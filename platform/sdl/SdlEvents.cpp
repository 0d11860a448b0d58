// SDL's events as the SDL back end's reports (platform/SystemBackEnd.h), for
// Linux and other desktops. Characters are reported the way TranslateMessage
// would make WM_CHAR of them: typed ASCII text (space included) from SDL's text
// input, and Escape, Return, Backspace and Tab, which give no text, from their
// key presses. Space is never taken from its key press: it would arrive twice.
// Not reported: other characters, key-up, mouse moves and all buttons but the
// left one.
#include "platform/sdl/SdlBackEnd.h"
#include "platform/sdl/X11Wait.h"

namespace {

using win32layer::sdl::windowWithId;
namespace report = win32layer::report;

// SDL's text is UTF-8: its ASCII bytes are whole characters, and the Win32 side
// drops every other byte.
void reportText(SystemWindow& window, const char* text) {
    for (const char* byte = text; *byte != '\0'; ++byte)
        report::character(window, static_cast<unsigned char>(*byte));
}

// The keys that type a control character but give no text input.
unsigned controlCharacterOf(SDL_Keycode key) {
    switch (key) {
    case SDLK_ESCAPE:
        return 27;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return 13;
    case SDLK_BACKSPACE:
        return 8;
    case SDLK_TAB:
        return 9;
    default:
        return 0;
    }
}

void translateWindowEvent(SystemWindow& window, const SDL_WindowEvent& event) {
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        report::close(window);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        report::size(window, event.data1, event.data2);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        report::repaint(window);
        break;
    default:
        break;
    }
}

void translateEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_TEXTINPUT:
        if (SystemWindow* window = windowWithId(event.text.windowID))
            reportText(*window, event.text.text);
        break;
    case SDL_KEYDOWN:
        if (SystemWindow* window = windowWithId(event.key.windowID)) {
            if (const unsigned character = controlCharacterOf(event.key.keysym.sym))
                report::character(*window, character);
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (SystemWindow* window = windowWithId(event.button.windowID)) {
            if (event.button.button == SDL_BUTTON_LEFT)
                report::click(*window, event.button.x, event.button.y);
        }
        break;
    case SDL_WINDOWEVENT:
        if (SystemWindow* window = windowWithId(event.window.windowID))
            translateWindowEvent(*window, event.window);
        break;
    default:
        break;
    }
}

} // namespace

namespace win32layer::system {

void takeEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event) == 1)
        translateEvent(event);
}

void waitForEvents() {
    // Under X11 the layer waits on the X connection, not in SDL (X11Wait.cpp says
    // why); what arrived is taken in by the next takeEvents.
    const SystemWindow* window = win32layer::sdl::firstWindow();
    if (window != nullptr && waitOnX11Connection(window->sdlWindow))
        return;
    SDL_Event event;
    if (SDL_WaitEvent(&event) == 1)
        translateEvent(event);
    else
        SDL_Delay(10); // video not running: nothing can arrive, but do not spin hot
}

} // namespace win32layer::system
