#pragma once
// The two CSV files of a sweep, written run by run in run order: the table,
// one row per run and recorded turn, and the summary, one row per run, also
// for runs that were not played. Their columns and rows: rows/Columns.h,
// rows/TableRow.h, rows/SummaryRow.h.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "tools/sweep/RunPlan.h"
#include "tools/sweep/RunSink.h"
#include "tools/sweep/output/OutputFile.h"
#include "tools/sweep/rows/RowWriter.h"

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
    std::optional<TableRow> row;
    RowWriter writer;
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
    RowWriter writer;
    RunCensus census;
};
