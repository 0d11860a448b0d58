#include "tools/sweep/workers/OrderedRuns.h"

OrderedRuns::OrderedRuns(const RunSequence& sequence, RunSink& runSink)
    : runs(sequence), sink(runSink) {}

void OrderedRuns::turn(std::uint64_t run, const RecordedTurn& turn) {
    if (!runs.holds(run) || runs.positionOf(run) < next)
        return;
    if (runs.positionOf(run) == next)
        sink.turn(run, turn);
    else
        held[runs.positionOf(run)].turns.push_back(turn);
}

void OrderedRuns::end(std::uint64_t run, const RunEnd& end) {
    if (!runs.holds(run) || runs.positionOf(run) < next)
        return;
    if (runs.positionOf(run) != next) {
        held[runs.positionOf(run)].end = end;
        return;
    }
    sink.end(run, end);
    ++next;
    release();
}

void OrderedRuns::release() {
    for (auto first = held.begin(); first != held.end() && first->first == next;
         first = held.begin()) {
        const std::uint64_t run = runs.at(next);
        for (const RecordedTurn& turn : first->second.turns)
            sink.turn(run, turn);
        // Turns that arrive from now on go straight to the sink.
        first->second.turns.clear();
        if (!first->second.end) {
            held.erase(first);
            return;
        }
        sink.end(run, *first->second.end);
        held.erase(first);
        ++next;
    }
}
