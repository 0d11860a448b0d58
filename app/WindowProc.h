#pragma once
// The main window's procedure: space runs one turn, Escape quits, a left click
// selects or clears a cell, and every paint draws the board.
#include <windows.h>

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
