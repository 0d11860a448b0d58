#pragma once
// The board's geometry in a window as it is now: its client area divided among
// the columns and rows of theWorld's grid. Clicks and painting both take it from
// here, so a click picks the cell drawn under the pointer.
#include <windows.h>

#include "app/BoardGeometry.h"

BoardGeometry boardGeometryOf(HWND window);
