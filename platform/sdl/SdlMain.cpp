// The program's entry on the SDL back end, for Linux and other desktops: the
// shared entry (platform/Win32Entry.cpp) does it all. SDL's header stays in
// sight: on a system where SDL needs an entry of its own, it renames main.
#include "platform/sdl/SdlBackEnd.h"

int main(int argc, char* argv[]) { return win32layer::runProgram(argc, argv); }
