#pragma once
// Runs the window program itself (WinMain and its message loop) in this process
// on the layer, driven by steps: each step runs when the program waits for
// input, and gets the newest window. A program still running after the last
// step is a test failure, and is ended. The program reads its settings from
// the working directory, which a ProgramFolder sets.
#include <windows.h>

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "core/World.h"
#include "platform/Win32TestAccess.h"
#include "support/TestWorld.h"

// The folder the program runs in: a fresh temporary folder holding one file,
// the working directory from enter() on. Once this is gone, the working
// directory is the test's own again, if enter() was called at all.
class ProgramFolder {
public:
    ProgramFolder() = default;
    ~ProgramFolder() { leave(); }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    // Makes the folder, holding `fileName` with `content`, the working directory.
    void enter(const std::string& content, const std::string& fileName = "lurkfield.config") {
        leave();
        file = std::make_unique<TempFile>(content, fileName);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(file->folder());
    }

private:
    // Never throws: a folder it cannot go back to is a test failure.
    void leave() noexcept {
        if (!file)
            return;
        std::error_code failed;
        std::filesystem::current_path(previous, failed);
        EXPECT_FALSE(failed) << "cannot go back to " << previous << ": " << failed.message();
        file.reset();
    }

    std::unique_ptr<TempFile> file;
    std::filesystem::path previous;
};

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
