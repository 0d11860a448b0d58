#include "web/RandomSource.h"

#include <array>

namespace {

constexpr std::uint64_t multiplier = 6364136223846793005u;

// srand(1), like never seeding, starts from state 0.
std::uint64_t state = 0;

constexpr int next(std::uint64_t& seed) {
    seed = seed * multiplier + 1;
    return static_cast<int>(seed >> 33);
}

constexpr std::array<int, 4> firstNumbers() {
    std::uint64_t seed = 0;
    return {next(seed), next(seed), next(seed), next(seed)};
}

// musl's own first numbers, as its rand() gives them unseeded.
static_assert(firstNumbers() == std::array<int, 4>{0, 740882966, 1616430695, 1708849955});

} // namespace

std::uint64_t randomState() { return state; }

void setRandomState(std::uint64_t kept) { state = kept; }

extern "C" int __wrap_rand() { return next(state); }

extern "C" void __wrap_srand(unsigned seed) { state = seed - 1u; }
