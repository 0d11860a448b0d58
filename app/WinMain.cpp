// The program's entry: builds the world from lurkfield.config, refuses to start
// when its grid cannot be shown or there is not the memory for it, and
// otherwise runs the main window until quit. Running out of memory in set-up
// or in a turn ends it with a message box and exit code 1.
// A wide-character program: with UNICODE the system's names, such as the arrow
// cursor's, come as wide strings too.
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>

#include <memory>
#include <new>
#include <optional>
#include <string>

#include "core/StartupRefusal.h"
#include "app/WindowProc.h"
#include "core/World.h"
#include "system/AvailableMemory.h"

namespace {

const char configFileName[] = "lurkfield.config";
// The window's own ways out end with 0; running out of memory is a failure.
constexpr int outOfMemoryExitCode = 1;
const wchar_t className[] = L"lurkfield";

void registerWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXW);
    // Any change of size repaints the whole board: every cell changes size with it.
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
#ifdef _WIN32
    // The predator figure, icon 1 of the program's resources, in the title bar
    // and the taskbar. Our layer elsewhere has no icons: the window keeps the
    // system's own.
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
#endif
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
}

HWND createMainWindow(HINSTANCE instance) {
    return CreateWindowExW(0, className, L"Lurkfield", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                           CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr);
}

int runMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

// The program with its World, which it owns on every way out; theWorld only
// points to it. Returns the exit code.
int play(HINSTANCE instance, int showCommand) {
    const auto world = std::make_unique<World>(configFileName, availableMemoryBytes());
    theWorld = world.get();
    if (const std::optional<std::string> refusal = startupRefusal(*world, configFileName)) {
        MessageBoxA(nullptr, refusal->c_str(), "Error", MB_OK);
        // A file that cannot be played is answered; a machine without the
        // memory for the world is a failure, as running out of it later is.
        return world->memoryShortfall() ? outOfMemoryExitCode : 0;
    }
    registerWindowClass(instance);
    HWND window = createMainWindow(instance);
    if (window == nullptr)
        return 0;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    const int exitCode = runMessageLoop();
    rethrowWindowFailure();
    return exitCode;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    try {
        return play(instance, showCommand);
    } catch (const std::bad_alloc&) {
        // The World is gone by now, and with it the memory it held.
        MessageBoxA(nullptr, outOfMemoryMessage(configFileName).c_str(), "Error", MB_OK);
        return outOfMemoryExitCode;
    }
}
