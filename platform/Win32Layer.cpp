#include "platform/Win32Layer.h"

namespace win32layer {

State& state() {
    static State layer;
    return layer;
}

void shutdown() {
    State& layer = state();
    for (const auto& open : layer.windows)
        system::closeWindow(open->system);
    layer = State{};
    system::stop();
}

} // namespace win32layer
