#include "tools/sweep/rows/TableRow.h"

#include "tools/sweep/RunPlan.h"

RunFields RunFields::of(const RunPlan& plan, std::uint64_t run) {
    return {run, plan.repOf(run), plan.seedOf(run), plan.valuesOf(plan.pointOf(run))};
}
