// One paint of the board as the window does it (WM_PAINT through the window
// procedure: erase, grid lines, the selection's hearing square and sight cells,
// every figure, present), on our Win32 layer's framebuffer. The layer runs on
// SDL's dummy video driver here, so no display is needed and presenting costs
// next to nothing.
#include <benchmark/benchmark.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <limits>

#include "BenchWorld.h"
#include "app/CellSelection.h"
#include "app/WindowProc.h"

namespace {

constexpr int clientWidth = 1600;
constexpr int clientHeight = 1200;

HWND openBoardWindow() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXW);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = L"lurkfield-bench";
    RegisterClassExW(&windowClass);
    return CreateWindowExW(0, L"lurkfield-bench", L"Lurkfield", WS_OVERLAPPEDWINDOW, 0, 0,
                           clientWidth, clientHeight, nullptr, nullptr, nullptr, nullptr);
}

// The predator nearest the middle of the board.
CellPosition middlePredator(const Grid& grid) {
    struct PredatorCell : GameObjectVisitor {
        void visit(Predator&) override { found = true; }
        bool found = false;
    };
    CellPosition best = noCell;
    std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
    for (const GameObjectPtr& object : grid.objects()) {
        PredatorCell test;
        object->accept(test);
        const std::int64_t dx = object->x - grid.width / 2;
        const std::int64_t dy = object->y - grid.height / 2;
        if (test.found && dx * dx + dy * dy < bestDistance) {
            bestDistance = dx * dx + dy * dy;
            best = CellPosition{object->x, object->y};
        }
    }
    return best;
}

void BM_PaintBoard400x300In1600x1200WithASelectedPredator(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    auto world = buildWorld("paint");
    HWND window = openBoardWindow();
    RECT client{};
    GetClientRect(window, &client);
    if (window == nullptr || client.right != clientWidth || client.bottom != clientHeight) {
        state.SkipWithError("no 1600 x 1200 window on the layer");
        return;
    }
    selectedCell = middlePredator(world->grid);
    if (selectedCell == noCell) {
        state.SkipWithError("no predator on the board");
        DestroyWindow(window);
        return;
    }
    for (auto _ : state) {
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
    }
    selectedCell = noCell;
    DestroyWindow(window);
}
BENCHMARK(BM_PaintBoard400x300In1600x1200WithASelectedPredator)
    ->Unit(benchmark::kMillisecond)
    ->Apply(addMinMax);

} // namespace
