#include "tools/sweep/rows/SummaryRow.h"

SummaryRow SummaryRow::of(RunFields run, const std::optional<Census>& start,
                          const std::optional<Census>& last, const RunEnd& end) {
    SummaryRow row;
    static_cast<RunFields&>(row) = std::move(run);
    row.turns = end.turnsPlayed;
    if (start) {
        row.preyStart = start->prey;
        row.predatorsStart = start->predators;
        row.obstaclesStart = start->obstacles;
    }
    // A run that was not played to its end has no end to count.
    if (end.outcome == RunOutcome::Played && last) {
        row.preyEnd = last->prey;
        row.predatorsEnd = last->predators;
        row.obstaclesEnd = last->obstacles;
    }
    row.preyGoneTurn = end.preyGoneTurn;
    row.outcome = end.outcome;
    row.message = end.message;
    return row;
}

RunEnd SummaryRow::end() const {
    return {outcome, turns, preyGoneTurn, message};
}

std::uint64_t SummaryRow::tableRows(std::uint64_t sweepTurns, std::uint64_t every) const {
    // Turn 0 is always recorded, so a run has a census at its start exactly
    // when it recorded a row.
    return preyStart ? recordedTurnCount(turns, sweepTurns, every) : 0;
}
