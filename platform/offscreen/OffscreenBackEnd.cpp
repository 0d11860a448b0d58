#include "platform/offscreen/OffscreenBackEnd.h"

#include <algorithm>
#include <memory>
#include <vector>

struct SystemWindow {
    win32layer::system::ClientSize size;
};

namespace {

// In the order they were opened.
std::vector<std::unique_ptr<SystemWindow>> openWindows;
win32layer::Framebuffer presented;

constexpr win32layer::system::ClientSize defaultClientSize{800, 600};

} // namespace

namespace win32layer::system {

bool start() { return true; }

void stop() { openWindows.clear(); }

const char* whyNoWindows() { return nullptr; }

SystemWindow* openWindow(const char*, bool, std::optional<ClientSize> size) {
    const ClientSize client = size.value_or(defaultClientSize);
    openWindows.push_back(std::make_unique<SystemWindow>(
        SystemWindow{{std::max(client.width, 0), std::max(client.height, 0)}}));
    return openWindows.back().get();
}

ClientSize clientSize(const SystemWindow& window) { return window.size; }

void resizeWindow(SystemWindow& window, ClientSize size) {
    window.size = {std::max(size.width, 0), std::max(size.height, 0)};
}

bool showWindow(SystemWindow&) { return false; }

void closeWindow(SystemWindow* window) {
    std::erase_if(openWindows, [&](const auto& open) { return open.get() == window; });
}

void present(SystemWindow&, const Framebuffer& framebuffer) { presented = framebuffer; }

void takeEvents() {}

void waitForEvents() {}

void showMessageBox(const char*, const char*) {}

} // namespace win32layer::system

namespace win32layer::offscreen {

const Framebuffer& lastPresented() { return presented; }

} // namespace win32layer::offscreen
