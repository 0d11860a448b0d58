#include "web/TurnHistory.h"

#include <algorithm>
#include <iterator>

#include "core/MemoryNeed.h"
#include "core/World.h"

namespace {

// The first kept state after the turn.
template <class States> auto firstAfter(States& states, std::uint64_t turn) {
    return std::upper_bound(
        states.begin(), states.end(), turn,
        [](std::uint64_t sought, const auto& state) { return sought < state.first; });
}

} // namespace

TurnHistory::TurnHistory(World& played, std::uint64_t budgetBytes)
    : world(played), budget(budgetBytes) {
    keepIfDue();
}

std::uint64_t TurnHistory::budgetFor(const Config& settings) {
    constexpr std::uint64_t least = std::uint64_t{64} << 20;
    return std::max(least, estimatedMemoryNeed(settings) / 4);
}

void TurnHistory::played() {
    ++shownTurn;
    furthestTurn = std::max(furthestTurn, shownTurn);
    keepIfDue();
}

void TurnHistory::goTo(std::uint64_t turn, void (*reachedNew)(std::uint64_t)) {
    // The last kept state at or before the turn: turn 0's at least.
    const auto from = std::prev(firstAfter(kept, turn));
    if (turn < shownTurn || shownTurn < from->first) {
        from->second.restoreInto(world);
        shownTurn = from->first;
    }
    while (shownTurn < turn) {
        world.step();
        const bool first = shownTurn == furthestTurn;
        played();
        if (first)
            reachedNew(shownTurn);
    }
}

void TurnHistory::keepIfDue() {
    if (shownTurn % keptEvery != 0)
        return;
    const auto after = firstAfter(kept, shownTurn);
    if (after != kept.begin() && std::prev(after)->first == shownTurn)
        return;
    bytes += kept.emplace(after, shownTurn, WorldState::of(world))->second.bytes();
    if (bytes > budget)
        thin();
}

void TurnHistory::thin() {
    while (bytes > budget && kept.size() > 1) {
        keptEvery *= 2;
        const auto offSpacing = [&](const auto& state) {
            if (state.first % keptEvery == 0)
                return false;
            bytes -= state.second.bytes();
            return true;
        };
        kept.erase(std::remove_if(std::next(kept.begin()), kept.end(), offSpacing), kept.end());
    }
}
