#pragma once
// The main window's procedure: space runs one turn, Escape quits, a left click
// selects or clears a cell, every paint draws the board, and a move to a monitor
// of another scale takes the window size the system suggests.
//
// No exception may pass through the system's code that calls the procedure. A
// handler that runs out of memory ends the message loop instead; once the loop
// has ended, rethrowWindowFailure() throws that std::bad_alloc again.
#include <windows.h>

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Throws the allocation failure that ended the message loop, if one did.
void rethrowWindowFailure();
