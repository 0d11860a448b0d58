#include "BoardWindow.h"

#include "app/CellSelection.h"
#include "app/WindowProc.h"

void BoardWindowTest::TearDown() {
    selectedCell = noCell;
    LayerTest::TearDown();
    world.reset();
}

void BoardWindowTest::open(int width, int height, const std::string& configText) {
    world = std::make_unique<TestWorld>(configText);
    window = openWindow(L"board-test", windowProc, width, height);
    clientWidth = width;
    clientHeight = height;
}

void BoardWindowTest::paintNow() {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

int BoardWindowTest::count(COLORREF colour) const {
    int found = 0;
    for (int y = 0; y < clientHeight; ++y) {
        for (int x = 0; x < clientWidth; ++x)
            found += pixel(x, y) == colour;
    }
    return found;
}
