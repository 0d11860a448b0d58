#pragma once
// One World played from set-up to its last turn, the same for every program
// without a window (lurkfield-text, every run of a sweep): srand(seed) when a
// seed is given, the World of the settings file and the added lines, built with
// the memory available, its start-up refusal, then the turns one by one.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/common/SettingLine.h"

class World;

// How a run ended, whoever played it.
enum class RunOutcome : std::uint8_t {
    Played,      // every turn was played
    Refused,     // the grid has no cells or is too large: nothing was played
    OutOfMemory, // the world did not fit into memory, in set-up or in a turn
    Failed,      // a sweep's worker ended before the run did (a crash, a kill)
};

struct PlayEnd {
    // Played, Refused or OutOfMemory: playWorld itself never fails a run.
    RunOutcome outcome = RunOutcome::Played;
    // The refusal's text, or what to say when memory ran out; empty when played.
    std::string message;
};

// Called with the World after set-up (turn 0) and after every turn.
using TurnHook = std::function<void(const World& world, std::uint64_t turn)>;

// Where a World's settings come from: the settings file as it is at set-up
// (lurkfield-text, like the window), or the text of that file as it was read
// before (every run of a sweep, whenever and wherever it plays); the lines are
// added after either. The file is named in the messages in both cases.
struct WorldSettings {
    std::string configFile;
    // The file's text, read once; null: the file is read at set-up.
    std::shared_ptr<const std::string> text;
    std::vector<SettingLine> lines;
};

// The World of the settings, built with the memory available after srand(seed)
// when a seed is given, and made theWorld: the set-up of every World played
// without a window. `refusal` is set when it cannot be played (Refused, or
// OutOfMemory when the memory available is too little), with the start-up
// refusal's text. Running out of memory while building it throws std::bad_alloc.
struct WorldSetUp {
    std::unique_ptr<World> world;
    std::optional<PlayEnd> refusal;
};
WorldSetUp setUpWorld(const WorldSettings& settings, std::optional<unsigned> seed);

// Plays the World. Running out of memory, in a turn or in the hook, ends the
// play with OutOfMemory; anything else thrown goes on to the caller. Whichever
// way it ends, the World is gone and theWorld empty again.
PlayEnd playWorld(const WorldSettings& settings, std::optional<unsigned> seed, std::uint64_t turns,
                  const TurnHook& afterTurn);
