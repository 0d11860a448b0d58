#pragma once
// What the user hears of the runs while a sweep goes on: every run that was
// not played ("run 3 (rep 1, seed 4, grid.x=0): The grid is too
// small. ..."), on standard error; and the tally of outcomes for the end.
#include <cstdint>
#include <string>

#include "tools/sweep/RunPlan.h"
#include "tools/sweep/RunSink.h"
#include "tools/sweep/output/Progress.h"
#include "tools/sweep/record/SweepRecord.h"

// "run 3 (rep 1, seed 4, grid.x=0)": a run as the user can find it in the tables.
std::string describeRun(const RunPlan& plan, std::uint64_t run);

class SweepReport : public RunSink {
public:
    // Messages go out through the progress, clear of its line.
    SweepReport(const RunPlan& plan, Progress& progress);
    void turn(std::uint64_t, const RecordedTurn&) override {}
    void end(std::uint64_t run, const RunEnd& end) override;
    // Counts an outcome without a word (a run an earlier session reported).
    void count(RunOutcome outcome);

    const OutcomeTally& tally() const { return outcomes; }

private:
    const RunPlan& plan;
    Progress& progress;
    OutcomeTally outcomes;
};
