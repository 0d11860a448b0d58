// SDL's events as Win32 messages. Characters come as WM_CHAR, the way
// TranslateMessage would make them: typed text (space included) from SDL's text
// input, and Escape, Return, Backspace and Tab, which give no text, from their
// key presses. Space is never taken from its key press: it would arrive twice.
// Serves: systems without Win32. Not delivered: key-up, WM_KEYDOWN, control
// characters typed with Ctrl, mouse moves and all buttons but the left one.
#include "platform/Win32Layer.h"

namespace {

void postCharacter(HWND window, char32_t character) {
    // WM_CHAR carries UTF-16 code units; characters beyond them come as a surrogate pair.
    if (character >= 0x10000) {
        const char32_t offset = character - 0x10000;
        win32layer::post(window, WM_CHAR, 0xD800 + (offset >> 10), 1);
        win32layer::post(window, WM_CHAR, 0xDC00 + (offset & 0x3FF), 1);
        return;
    }
    win32layer::post(window, WM_CHAR, character, 1);
}

// SDL's text is UTF-8, one or more characters per event.
void postText(HWND window, const char* text) {
    const auto* byte = reinterpret_cast<const unsigned char*>(text);
    while (*byte != 0) {
        const int length = *byte < 0x80 ? 1 : *byte < 0xE0 ? 2 : *byte < 0xF0 ? 3 : 4;
        char32_t character = length == 1 ? *byte : *byte & (0x7F >> length);
        int read = 1;
        for (; read < length && byte[read] != 0; ++read)
            character = (character << 6) | (byte[read] & 0x3F);
        byte += read;
        postCharacter(window, character);
    }
}

// The keys that type a control character but give no text input.
char32_t controlCharacterOf(SDL_Keycode key) {
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

LPARAM pointOf(Sint32 x, Sint32 y) {
    return static_cast<LPARAM>((static_cast<DWORD>(y & 0xFFFF) << 16) |
                               static_cast<DWORD>(x & 0xFFFF));
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
            win32layer::present(window);
        break;
    default:
        break;
    }
}

} // namespace

namespace win32layer {

void translateEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_TEXTINPUT:
        if (HWND__* window = windowWithSdlId(event.text.windowID))
            postText(window, event.text.text);
        break;
    case SDL_KEYDOWN:
        if (HWND__* window = windowWithSdlId(event.key.windowID)) {
            if (const char32_t character = controlCharacterOf(event.key.keysym.sym))
                postCharacter(window, character);
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (HWND__* window = windowWithSdlId(event.button.windowID)) {
            if (event.button.button == SDL_BUTTON_LEFT)
                post(window, WM_LBUTTONDOWN, MK_LBUTTON, pointOf(event.button.x, event.button.y));
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

} // namespace win32layer
