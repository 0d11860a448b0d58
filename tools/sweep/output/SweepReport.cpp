#include "tools/sweep/output/SweepReport.h"

std::string describeRun(const RunPlan& plan, std::uint64_t run) {
    std::string text = "run " + std::to_string(run) + " (rep " + std::to_string(plan.repOf(run)) +
                       ", seed " + std::to_string(plan.seedOf(run));
    if (!plan.varied().empty())
        text += ", " + plan.pointText(plan.pointOf(run));
    return text + ")";
}

SweepReport::SweepReport(const RunPlan& runPlan, Progress& sweepProgress)
    : plan(runPlan), progress(sweepProgress) {}

void SweepReport::end(std::uint64_t run, const RunEnd& end) {
    count(end.outcome);
    if (end.outcome != RunOutcome::Played)
        progress.message(describeRun(plan, run) + ": " + end.message);
}

void SweepReport::count(RunOutcome outcome) {
    outcomes.count(outcome);
}
