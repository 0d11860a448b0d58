#pragma once
// The rows of a sweep's summary: one per run, also for a run that was not
// played. Their columns: Columns.h.
#include <cstdint>
#include <optional>
#include <string>

#include "tools/sweep/ExperimentRun.h"
#include "tools/sweep/rows/TableRow.h"

// What a run's summary row counts from its recorded turns, taken as they come:
// the census at turn 0 and at the last recorded turn, once recorded.
struct RunCensus {
    std::optional<Census> start;
    std::optional<Census> last;

    void record(const RecordedTurn& turn) {
        // Only the first turn recorded can be turn 0.
        if (!last && turn.turn == 0)
            start = turn.census;
        last = turn.census;
    }
};

struct SummaryRow : RunFields {
    // Turns played: all of them when played, fewer (0 for a refused run) otherwise.
    std::uint64_t turns = 0;
    // What stood on the grid at turn 0 and after the last turn. A figure that
    // does not exist is nothing: the end of a run that was not played to its
    // end, the start of a run that never reached turn 0.
    std::optional<std::uint64_t> preyStart;
    std::optional<std::uint64_t> preyEnd;
    std::optional<std::uint64_t> predatorsEnd;
    // The first turn with no prey on the grid, counting every turn from 0;
    // nothing if prey were left.
    std::optional<std::uint64_t> preyGoneTurn;
    std::optional<std::uint64_t> predatorsStart;
    std::optional<std::uint64_t> obstaclesStart;
    std::optional<std::uint64_t> obstaclesEnd;
    RunOutcome outcome = RunOutcome::Played;
    // Why the run was not played, in the words the program printed; empty when played.
    std::string message;

    bool operator==(const SummaryRow&) const = default;

    // The row of a run that ended: `start` is its census at turn 0 and `last`
    // at its last recorded turn, when it recorded them.
    static SummaryRow of(RunFields run, const std::optional<Census>& start,
                         const std::optional<Census>& last, const RunEnd& end);
    // The run's end as the row tells it.
    RunEnd end() const;
    // How many rows of the table the run recorded, in a sweep of `turns` turns
    // recorded every `every`: turns 0, K, 2K, ... up to the last it played, and
    // none when it never reached turn 0.
    std::uint64_t tableRows(std::uint64_t turns, std::uint64_t every) const;
};
