// The program's entry on every back end: each back end's main hands over here,
// and this hands over to WinMain as Windows would.
#include "platform/Win32Layer.h"

#include <cstdio>
#include <string>

namespace {

// Windows hands WinMain the command line without the program's name.
std::string commandLineOf(int argc, char* argv[]) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            line += ' ';
        line += argv[i];
    }
    return line;
}

} // namespace

namespace win32layer {

int runProgram(int argc, char* argv[]) {
    // Without a window the program cannot do its work: a failure, so 1. The Win32
    // program's own ways out (its refusal, Escape, closing the window) end with 0.
    if (const char* why = system::whyNoWindows()) {
        std::fprintf(stderr, "Lurkfield cannot open its window: %s\n", why);
        return 1;
    }
    static HINSTANCE__ instance{};
    std::string commandLine = commandLineOf(argc, argv);
    const int exitCode = WinMain(&instance, nullptr, commandLine.data(), SW_SHOWDEFAULT);
    shutdown();
    return exitCode;
}

} // namespace win32layer
