#pragma once
// Puts what workers report back into run order. Runs finish in any order when
// several play at once; what the next run in order reports goes straight on to
// the sink, and what a later run reports is held until every run before it has
// ended. So the sink sees each run whole, runs in the order of the sequence,
// whatever played them, and only the runs ahead of the next one are held.
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "tools/sweep/ExperimentRun.h"
#include "tools/sweep/RunPlan.h"
#include "tools/sweep/RunSink.h"

// A report for a run that is not in the sequence, or that has ended already,
// is ignored: one run never ends twice.
class OrderedRuns : public RunSink {
public:
    OrderedRuns(const RunSequence& sequence, RunSink& sink);

    void turn(std::uint64_t run, const RecordedTurn& turn) override;
    void end(std::uint64_t run, const RunEnd& end) override;

    // Whether the run at `position` of the sequence may start, with `workers`
    // playing at once: while it lies fewer than 2 x workers runs ahead of the
    // next run to be written, so that the reports held stay a few runs' worth.
    bool mayStart(std::uint64_t position, std::uint64_t workers) const {
        return position < runs.size() && position < next + 2 * workers;
    }
    bool finished() const { return next >= runs.size(); }

private:
    struct Held {
        std::vector<RecordedTurn> turns;
        std::optional<RunEnd> end;
    };
    // Hands on every held run that is now next, while they have ended.
    void release();

    const RunSequence& runs;
    RunSink& sink;
    std::uint64_t next = 0;
    std::map<std::uint64_t, Held> held;
};
