#pragma once
// Runs the window program itself (WinMain and its message loop) in this process
// on the layer, driven by steps: each step runs when the program waits for
// input, and gets the newest window. A program still running after the last
// step is a test failure, and is ended.
#include <windows.h>

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <vector>

#include "core/World.h"
#include "platform/Win32TestAccess.h"

using Step = std::function<void(HWND)>;

// The program's exit code.
inline int runProgramWithSteps(const std::vector<Step>& steps) {
    std::size_t next = 0;
    win32layer::testing::whenIdle([&] {
        HWND window = win32layer::testing::newestWindow();
        if (next < steps.size()) {
            steps[next++](window);
            return;
        }
        ADD_FAILURE() << "the program still runs after the test's last step";
        PostQuitMessage(0);
        SDL_Event wake{};
        wake.type = SDL_USEREVENT;
        SDL_PushEvent(&wake);
    });
    char noOptions[] = "";
    const int exitCode = WinMain(nullptr, nullptr, noOptions, 1);
    EXPECT_EQ(next, steps.size()) << "the program ended before the test's last step";
    EXPECT_EQ(theWorld, nullptr) << "theWorld still points at the World the program destroyed";
    return exitCode;
}
