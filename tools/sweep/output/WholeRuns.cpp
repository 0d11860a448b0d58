#include "tools/sweep/output/WholeRuns.h"

WholeRuns::WholeRuns(const SweepOptions& sweepOptions,
                     const std::optional<std::vector<SweepResume::Listed>>& listedRuns,
                     RunSink& kept)
    : options(sweepOptions), listed(listedRuns), out(kept), runs(options.sequence()) {}

bool WholeRuns::row(std::uint64_t position, const RecordedTurn& turn, std::uint64_t bytesBefore) {
    if (!rows || rows->position != position) {
        if (rows && !endRunWithRows(true)) {
            stop(rows->startBytes);
            return false;
        }
        if (!endRunsWithoutRows(position, true)) {
            stop(bytesBefore);
            return false;
        }
        rows = RunRows{position, {}, bytesBefore};
    }
    rows->turns.push_back(turn);
    return true;
}

void WholeRuns::end(std::uint64_t bytes) {
    if (stopped)
        return;
    if (rows && !endRunWithRows(false)) {
        stop(rows->startBytes);
        return;
    }
    keptBytes = bytes;
    // Runs the summary lists without rows may follow the last rows; without
    // a summary nothing tells them from runs not yet played.
    endRunsWithoutRows(runs.size(), false);
}

bool WholeRuns::endRunWithRows(bool followed) {
    const std::vector<RecordedTurn>& turns = rows->turns;
    const std::uint64_t position = rows->position;
    if (listed) {
        if (position >= listed->size() || (*listed)[position].tableRows != turns.size())
            return false;
        keep(turns, (*listed)[position].end);
        return true;
    }
    const bool played = turns.size() == recordedTurnCount(options.turns, options.turns,
                                                          options.every) &&
                        turns.back().turn == options.turns;
    if (!played && !followed)
        return false;
    keep(turns, played ? RunEnd{RunOutcome::Played, options.turns, {}, ""}
                       : RunEnd{RunOutcome::Failed, turns.back().turn, std::nullopt, ""});
    return true;
}

bool WholeRuns::endRunsWithoutRows(std::uint64_t before, bool followed) {
    while (decided < before) {
        if (listed) {
            if (decided >= listed->size() || (*listed)[decided].tableRows != 0)
                return false;
            keep({}, (*listed)[decided].end);
        } else if (followed) {
            keep({}, RunEnd{RunOutcome::Refused, 0, std::nullopt, ""});
        } else {
            return false;
        }
    }
    return true;
}

void WholeRuns::keep(const std::vector<RecordedTurn>& turns, const RunEnd& end) {
    const std::uint64_t run = runs.at(decided++);
    for (const RecordedTurn& turn : turns)
        out.turn(run, turn);
    out.end(run, end);
}

void WholeRuns::stop(std::uint64_t bytes) {
    stopped = true;
    keptBytes = bytes;
}
