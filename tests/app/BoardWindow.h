#pragma once
// A window of a chosen client size whose procedure is the game's own, painted on
// the layer's framebuffer, with theWorld built from configuration text.
#include <memory>
#include <string>

#include "LayerTest.h"
#include "support/TestWorld.h"

class BoardWindowTest : public LayerTest {
protected:
    void TearDown() override;

    // Builds theWorld and opens the window; the grid is "grid.x" x "grid.y" of the text.
    void open(int width, int height, const std::string& configText);
    void paintNow();
    COLORREF pixel(int x, int y) const { return win32layer::testing::pixelAt(window, x, y); }
    // How many pixels of the client area have this colour.
    int count(COLORREF colour) const;

    std::unique_ptr<TestWorld> world;
    HWND window = nullptr;
    int clientWidth = 0;
    int clientHeight = 0;
};

constexpr COLORREF green = RGB(0, 255, 0);
constexpr COLORREF paleYellow = RGB(255, 255, 128);
