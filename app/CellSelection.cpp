#include "app/CellSelection.h"

#include <optional>

#include "app/ClientGeometry.h"
#include "core/World.h"

CellPosition selectedCell = noCell;

void selectCellAt(HWND window, int x, int y) {
    const std::optional<CellPosition> selection =
        selectionAfterClick(selectedCell, boardGeometryOf(window), theWorld->grid.width,
                            theWorld->grid.height, x, y);
    if (!selection)
        return;
    selectedCell = *selection;
    InvalidateRect(window, nullptr, TRUE);
}
