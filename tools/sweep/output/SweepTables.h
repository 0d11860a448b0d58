#pragma once
// The two CSV files of a sweep, written run by run in run order.
//
// The table: one row per run and recorded turn,
//   run,rep,seed,<each varied key>,turn,obstacles,prey,predators
// The summary: one row per run, also for runs that were not played,
//   run,rep,seed,<each varied key>,turns,prey_start,prey_end,predators_end,
//   prey_gone_turn,predators_start,obstacles_start,obstacles_end,outcome,message
// turns is the number of turns played; a figure that does not exist (the end of
// a run that was refused, the turn the prey were gone when they never were) is
// an empty field. outcome is played, refused, out_of_memory or failed, and
// message says why a run was not played.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "tools/sweep/RunPlan.h"
#include "tools/sweep/RunSink.h"
#include "tools/sweep/output/OutputFile.h"

// "run,rep,seed,<values>," of a run: how every record of a run begins.
std::string runPrefix(const RunPlan& plan, std::uint64_t run);
// The header record of each file, with its line feed.
std::string tableHeader(const RunPlan& plan);
std::string summaryHeader(const RunPlan& plan);

// Each writer writes the rows that follow the header: the session writes the
// header of a new file, and a resumed file has one.
class TableWriter : public RunSink {
public:
    TableWriter(const RunPlan& plan, OutputFile& file);
    void turn(std::uint64_t run, const RecordedTurn& turn) override;
    // Rows go out when the buffer is full, whenever a run has ended and at
    // least every second, always as whole rows: a file read while the sweep
    // goes on ends with a whole row, and a long run shows its rows as it goes.
    void end(std::uint64_t run, const RunEnd& end) override;

private:
    const RunPlan& plan;
    OutputFile& out;
    std::chrono::steady_clock::time_point lastFlush = std::chrono::steady_clock::now();
    std::uint64_t prefixRun = UINT64_MAX;
    std::string prefix;
    std::string record;
};

class SummaryWriter : public RunSink {
public:
    SummaryWriter(const RunPlan& plan, OutputFile& file);
    void turn(std::uint64_t run, const RecordedTurn& turn) override;
    void end(std::uint64_t run, const RunEnd& end) override;

private:
    const RunPlan& plan;
    OutputFile& out;
    // The census of the run's turn 0 and of its last recorded turn, once recorded.
    std::optional<Census> start;
    std::optional<Census> last;
};
