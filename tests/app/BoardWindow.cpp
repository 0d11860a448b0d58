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
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXW);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = L"board-test";
    RegisterClassExW(&windowClass);
    window = CreateWindowExW(0, L"board-test", L"board", WS_OVERLAPPEDWINDOW, 0, 0, width, height,
                             nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
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
