// SDL's events as Win32 messages, for the SDL back end. Characters come as
// WM_CHAR, the way TranslateMessage would make them: typed ASCII text (space
// included) from SDL's text input, and Escape, Return, Backspace and Tab, which
// give no text, from their key presses. Space is never taken from its key press:
// it would arrive twice. Not delivered: other characters, key-up, WM_KEYDOWN,
// mouse moves and all buttons but the left one.
#include "platform/Win32Layer.h"
#include "platform/sdl/SdlBackEnd.h"
#include "platform/sdl/X11Wait.h"

namespace {

HWND__* windowWithSdlId(std::uint32_t sdlId) {
    for (const auto& open : win32layer::state().windows) {
        if (open->system->sdlId == sdlId)
            return open.get();
    }
    return nullptr;
}

// SDL's text is UTF-8; its ASCII bytes are whole characters.
void postText(HWND window, const char* text) {
    for (const char* byte = text; *byte != '\0'; ++byte) {
        if (static_cast<unsigned char>(*byte) < 0x80)
            win32layer::post(window, WM_CHAR, static_cast<WPARAM>(*byte), 1);
    }
}

// The keys that type a control character but give no text input.
WPARAM controlCharacterOf(SDL_Keycode key) {
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

void translateWindowEvent(HWND__& window, const SDL_WindowEvent& event) {
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        win32layer::post(&window, WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        win32layer::resizeClient(window, event.data1, event.data2);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        // Shows what was painted last; after a resize the repaint will show itself.
        if (window.update.empty())
            win32layer::system::present(*window.system, window.framebuffer);
        break;
    default:
        break;
    }
}

void translateEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_TEXTINPUT:
        if (HWND__* window = windowWithSdlId(event.text.windowID))
            postText(window, event.text.text);
        break;
    case SDL_KEYDOWN:
        if (HWND__* window = windowWithSdlId(event.key.windowID)) {
            if (const WPARAM character = controlCharacterOf(event.key.keysym.sym))
                win32layer::post(window, WM_CHAR, character, 1);
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (HWND__* window = windowWithSdlId(event.button.windowID)) {
            if (event.button.button == SDL_BUTTON_LEFT)
                win32layer::post(window, WM_LBUTTONDOWN, MK_LBUTTON,
                                 win32layer::pointParameter(event.button.x, event.button.y));
        }
        break;
    case SDL_WINDOWEVENT:
        if (HWND__* window = windowWithSdlId(event.window.windowID))
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
    const auto& windows = state().windows;
    if (!windows.empty() && waitOnX11Connection(windows.front()->system->sdlWindow))
        return;
    SDL_Event event;
    if (SDL_WaitEvent(&event) == 1)
        translateEvent(event);
    else
        SDL_Delay(10); // video not running: nothing can arrive, but do not spin hot
}

} // namespace win32layer::system
