#include "core/MemoryNeed.h"

#include <algorithm>

#include "core/Config.h"

namespace {

constexpr std::uint64_t most = std::numeric_limits<std::uint64_t>::max();

std::uint64_t saturatingProduct(std::uint64_t a, std::uint64_t b) {
    return a != 0 && b > most / a ? most : a * b;
}

std::uint64_t saturatingSum(std::uint64_t a, std::uint64_t b) {
    return b > most - a ? most : a + b;
}

// A count from the settings: below 0 means none.
std::uint64_t countOf(int setting) {
    return setting > 0 ? static_cast<std::uint64_t>(setting) : 0;
}

} // namespace

std::uint64_t estimatedMemoryNeed(const Config& settings) {
    const int columns = settings.getInt("grid.x");
    const int rows = settings.getInt("grid.y");
    if (columns <= 0 || rows <= 0)
        return 0;
    // Both sides are below 2^31, so the product fits.
    const std::uint64_t cells = countOf(columns) * countOf(rows);
    const std::uint64_t density =
        std::min<std::uint64_t>(countOf(settings.getInt("obstacle.density")), 100);
    // cells * density / 100, without the product, which could pass 64 bits.
    const std::uint64_t obstacles = cells / 100 * density + cells % 100 * density / 100;
    const std::uint64_t prey = std::min(countOf(settings.getInt("prey.number")), cells - obstacles);
    const std::uint64_t predators =
        std::min(countOf(settings.getInt("predator.number")), cells - obstacles - prey);
    const std::uint64_t acting = (settings.getInt("prey.reaction_time") > 0 ? prey : 0) +
                                 (settings.getInt("predator.reaction_time") > 0 ? predators : 0);
    std::uint64_t need = saturatingProduct(cells, bytesPerCell);
    need = saturatingSum(need, saturatingProduct(obstacles + prey + predators, bytesPerObject));
    return saturatingSum(need, saturatingProduct(acting, bytesPerActingCreature));
}

std::uint64_t megabytesRoundedUp(std::uint64_t bytes) {
    return bytes / (1U << 20) + (bytes % (1U << 20) != 0 ? 1 : 0);
}

std::uint64_t megabytesRoundedDown(std::uint64_t bytes) {
    return bytes >> 20;
}
