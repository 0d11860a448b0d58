// The program's entry in the browser: hands over to WinMain as Windows would,
// then tells the page that the program has ended and with which exit code (a
// page has no process to end).
#include "platform/Win32Layer.h"
#include "platform/browser/BrowserBackEnd.h"

#include <cstdio>

int main() {
    if (!win32layer::system::start()) {
        std::fprintf(stderr, "Lurkfield cannot open its window: the page has no board canvas.\n");
        browser_program_end(1);
        return 1;
    }
    static HINSTANCE__ instance{};
    char commandLine[] = "";
    const int exitCode = WinMain(&instance, nullptr, commandLine, SW_SHOWDEFAULT);
    win32layer::shutdown();
    browser_program_end(exitCode);
    return exitCode;
}
