// The program's entry on the SDL back end: starts SDL's video, makes sure there
// is a display to show the window on, and hands over to WinMain as Windows would.
#include "platform/Win32Layer.h"
#include "platform/sdl/SdlBackEnd.h"

#include <cstdio>
#include <string>

namespace {

// Windows hands WinMain the command line without the program's name.
std::string commandLineOf(int argc, char* argv[]) {
    std::string line;
    for (int i = 1; i < argc; ++i)
        line += (i > 1 ? " " : "") + std::string(argv[i]);
    return line;
}

} // namespace

int main(int argc, char* argv[]) {
    // Without a display the program cannot do its work: a failure, so 1. The Win32
    // program's own ways out (its refusal, Escape, closing the window) end with 0.
    if (!win32layer::system::start() || win32layer::sdl::displayMissing()) {
        std::fprintf(stderr,
                     "Lurkfield cannot open its window: no display is available (%s).\n"
                     "To play without a display, run the text front end lurkfield-text.\n",
                     win32layer::sdl::whyNoDisplay());
        return 1;
    }
    static HINSTANCE__ instance{};
    std::string commandLine = commandLineOf(argc, argv);
    const int exitCode = WinMain(&instance, nullptr, commandLine.data(), SW_SHOWDEFAULT);
    win32layer::shutdown();
    return exitCode;
}
