#include "platform/Win32Layer.h"

namespace win32layer {

State& state() {
    static State layer;
    return layer;
}

void shutdown() {
    State& layer = state();
    for (const auto& open : layer.windows)
        SDL_DestroyWindow(open->sdlWindow);
    layer = State{};
    SDL_Quit();
}

} // namespace win32layer
