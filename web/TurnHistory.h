#pragma once
// The board's game as one line of turns that the page walks both ways: from
// the set-up to the furthest turn played, any turn shown again exactly as
// playing on from the set-up showed it. The game is deterministic given its
// random numbers, so the history keeps a few states (WorldState: the objects,
// last turn's commands and the random numbers' state), one every `spacing`
// turns, and plays on from the nearest one below the turn asked for. The
// states stay within a budget whatever the number of turns: past it, the
// spacing doubles and the states off it are dropped (turn 0's is always
// kept), so a long history is walked more slowly, never lost.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "web/WorldState.h"

class Config;
class World;

class TurnHistory {
public:
    // The history of the world's game from the turn it is at now, its turn 0.
    // The kept states hold at most budgetBytes (below: budgetFor).
    TurnHistory(World& world, std::uint64_t budgetBytes);

    // What the history may keep for a world of the settings: 64 MiB, or a
    // quarter of the world's own memory (core/MemoryNeed.h) when that is more.
    static std::uint64_t budgetFor(const Config& settings);

    // The world has played one turn on from the turn shown (the same game: a
    // turn already played is played alike).
    void played();

    // Makes the world that of `turn`, playing on from the nearest kept state
    // (or from the turn shown, when that is nearer); reachedNew(turn) is called
    // for every turn played for the first time on the way.
    void goTo(std::uint64_t turn, void (*reachedNew)(std::uint64_t));

    std::uint64_t shown() const { return shownTurn; }
    std::uint64_t furthest() const { return furthestTurn; }
    std::size_t keptBytes() const { return bytes; }
    std::uint64_t spacing() const { return keptEvery; }

private:
    // Keeps a state of the turn shown when it is a turn of the spacing and has none.
    void keepIfDue();
    // Doubles the spacing and drops the states off it until they fit the budget.
    void thin();

    World& world;
    std::uint64_t budget;
    // A few turns between states: walking back a turn replays at most that many.
    std::uint64_t keptEvery = 8;
    // By turn, the first one turn 0's.
    std::vector<std::pair<std::uint64_t, WorldState>> kept;
    std::size_t bytes = 0;
    std::uint64_t shownTurn = 0;
    std::uint64_t furthestTurn = 0;
};
