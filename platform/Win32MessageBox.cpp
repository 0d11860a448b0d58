// MessageBoxA of our Win32 layer. The text always goes to standard error, so it
// is seen wherever the program runs; SDL's simple box shows it as well when
// there is a display to show it on. Serves: systems without Win32. Limits: the
// OK button only, no icon, no owner window; under the dummy and offscreen
// drivers SDL's box is skipped (its helper would crash there).
#include "platform/Win32Layer.h"

#include <cstdio>

int WINAPI MessageBoxA(HWND, LPCSTR lpText, LPCSTR lpCaption, UINT) {
    const char* text = lpText != nullptr ? lpText : "";
    const char* caption = lpCaption != nullptr ? lpCaption : "Error";
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
    if (win32layer::startVideo() && !win32layer::invisibleDriver())
        SDL_ShowSimpleMessageBox(0, caption, text, nullptr);
    return IDOK;
}
