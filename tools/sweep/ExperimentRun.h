#pragma once
// One run of an experiment, the same wherever it runs (a sweep's worker
// process, an MPI rank, a test): srand(seed), the World of the settings file
// and the run's lines, N turns played, and the census of the chosen turns
// handed to a recorder as they happen.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Census.h"
#include "tools/common/PlayWorld.h"
#include "tools/common/SettingLine.h"

struct RunRequest {
    // The settings file's name and its text as the sweep read it; the lines
    // added after it are the --set lines, then the design point's values.
    WorldSettings settings;
    unsigned seed = 1;
    std::uint64_t turns = 0;
    // Turns 0, every, 2 x every, ... and always the last are recorded.
    std::uint64_t every = 1;
};

struct RecordedTurn {
    std::uint64_t turn = 0;
    Census census;

    bool operator==(const RecordedTurn&) const = default;
};

// The word for the outcome in a summary: played, refused, out_of_memory, failed.
const char* outcomeName(RunOutcome outcome);
// The outcome a summary's word names; nothing for any other word.
std::optional<RunOutcome> outcomeNamed(std::string_view name);

struct RunEnd {
    RunOutcome outcome = RunOutcome::Played;
    // Turns played before the end: all of them when played.
    std::uint64_t turnsPlayed = 0;
    // The first turn with no prey on the grid, counting turn 0; none if they lasted.
    std::optional<std::uint64_t> preyGoneTurn;
    // Why the run was not played (the start-up refusal's text, say); empty when played.
    std::string message;

    bool operator==(const RunEnd&) const = default;
};

class RunRecorder {
public:
    virtual ~RunRecorder() = default;
    virtual void record(const RecordedTurn& turn) = 0;
};

// True for the turns whose census a run records.
inline bool isRecordedTurn(std::uint64_t turn, std::uint64_t turns, std::uint64_t every) {
    return turn % every == 0 || turn == turns;
}

// How many of turns 0 .. upTo a run of `turns` turns records: all of a run
// played to its end when upTo is `turns`.
inline std::uint64_t recordedTurnCount(std::uint64_t upTo, std::uint64_t turns,
                                       std::uint64_t every) {
    return upTo / every + 1 + (upTo == turns && turns % every != 0 ? 1 : 0);
}

// Plays the run; the World is gone again when it returns. Running out of
// memory ends the run with OutOfMemory instead of ending the process.
RunEnd playRun(const RunRequest& request, RunRecorder& recorder);
