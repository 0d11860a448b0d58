#pragma once
// The cell whose object shows its hearing and sight. It names a cell, not an
// object: it stays when the object moves away or is eaten, and the board shows
// whatever stands there at the time.
#include <windows.h>

#include "app/BoardGeometry.h"

// A cell of the grid, or noCell; only selectCellAt changes it.
extern CellPosition selectedCell;

// A click at client pixel (x, y): selects the cell there, or clears the selection
// when that cell was selected already or the click missed the grid, and asks for
// a repaint. While the cells are 0 pixels a click does nothing.
void selectCellAt(HWND window, int x, int y);
