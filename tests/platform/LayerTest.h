#pragma once
// Tests that open windows through our Win32 layer run on SDL's dummy video
// driver: windows, events and presenting all work there, and no display is
// needed. Input is made the way a user makes it: SDL events pushed for the
// window, which the layer's message loop turns into messages.
#include <windows.h>

#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/Win32TestAccess.h"

class LayerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Registers a class of this name, painted white, and opens a window of it with
// a client area of width x height.
HWND openWindow(LPCWSTR className, WNDPROC procedure, int width, int height);

void pushText(HWND window, const char* text);
void pushKey(HWND window, SDL_Keycode key);
void pushClick(HWND window, int x, int y);
void pushCloseButton(HWND window);
void pushResize(HWND window, int width, int height);

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF black = RGB(0, 0, 0);
