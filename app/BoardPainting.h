#pragma once
// The whole board drawn anew for one paint of the window: the grid lines, the
// selected object's hearing square and the cells it sees, then every object's
// figure. A paint reads the world and changes nothing in it.
#include <windows.h>

void paintBoard(HWND window);
