// The program's entry in the browser, for the web build: the shared entry
// (platform/Win32Entry.cpp), then the page hears that the program has ended and
// with which exit code (a page has no process to end).
#include "platform/browser/BrowserBackEnd.h"

int main(int argc, char* argv[]) {
    const int exitCode = win32layer::runProgram(argc, argv);
    browser_program_end(exitCode);
    return exitCode;
}
