#include "Picture.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "app/CellSelection.h"
#include "app/WindowProc.h"
#include "app/icon/PngFile.h"
#include "core/World.h"
#include "platform/offscreen/OffscreenBackEnd.h"

namespace {

const wchar_t className[] = L"lurkfield-picture";

// The window program's class: its procedure and its background.
void registerBoardClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXW);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = className;
    // A second registration fails and leaves the first: both are the same.
    RegisterClassExW(&windowClass);
}

// The painted window, closed on every way out.
class PictureWindow {
public:
    PictureWindow(int width, int height)
        : window(CreateWindowExW(0, className, L"Lurkfield", WS_OVERLAPPEDWINDOW, 0, 0, width,
                                 height, nullptr, nullptr, nullptr, nullptr)) {}
    ~PictureWindow() {
        if (window != nullptr)
            DestroyWindow(window);
    }
    PictureWindow(const PictureWindow&) = delete;
    PictureWindow& operator=(const PictureWindow&) = delete;

    HWND window;
};

// The selection the window shows, put back as it was found.
class ShownSelection {
public:
    explicit ShownSelection(CellPosition cell) : found(selectedCell) { selectedCell = cell; }
    ~ShownSelection() { selectedCell = found; }
    ShownSelection(const ShownSelection&) = delete;
    ShownSelection& operator=(const ShownSelection&) = delete;

private:
    CellPosition found;
};

// The framebuffer's pixels (0x00RRGGBB) as opaque BGRA bytes.
std::vector<std::uint8_t> bgraOf(const win32layer::Framebuffer& pixels) {
    std::vector<std::uint8_t> bgra;
    bgra.reserve(static_cast<std::size_t>(pixels.width()) * static_cast<std::size_t>(pixels.height()) * 4);
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            const win32layer::Pixel pixel = pixels.pixel(x, y);
            bgra.insert(bgra.end(), {static_cast<std::uint8_t>(pixel), static_cast<std::uint8_t>(pixel >> 8),
                                     static_cast<std::uint8_t>(pixel >> 16), 255});
        }
    }
    return bgra;
}

} // namespace

int defaultCellPixels(std::int32_t columns, std::int32_t rows) {
    const std::int32_t longer = std::max({columns, rows, 1});
    return std::clamp(1024 / longer, 1, 32);
}

std::vector<std::uint8_t> boardPicture(int cellPixels, CellPosition selected) {
    registerBoardClass();
    const int width = theWorld->grid.width * cellPixels;
    const int height = theWorld->grid.height * cellPixels;
    std::vector<std::uint8_t> bgra;
    {
        const ShownSelection shown(selected);
        const PictureWindow painted(width, height);
        if (painted.window == nullptr)
            throw std::runtime_error("the board could not be painted");
        UpdateWindow(painted.window);
        rethrowWindowFailure();
        bgra = bgraOf(win32layer::offscreen::lastPresented());
    }
    return pngFile(bgra, width, height);
}
