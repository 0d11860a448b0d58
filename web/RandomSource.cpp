#include "web/RandomSource.h"

namespace {

constexpr std::uint64_t multiplier = 6364136223846793005u;

// srand(1), like never seeding, starts from state 0.
std::uint64_t state = 0;

} // namespace

std::uint64_t randomState() { return state; }

void setRandomState(std::uint64_t kept) { state = kept; }

extern "C" int __wrap_rand() {
    state = state * multiplier + 1;
    return static_cast<int>(state >> 33);
}

extern "C" void __wrap_srand(unsigned seed) { state = seed - 1u; }
