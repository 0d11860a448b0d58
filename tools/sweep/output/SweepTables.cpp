#include "tools/sweep/output/SweepTables.h"

#include "tools/sweep/rows/Columns.h"

std::string tableHeader(const RunPlan& plan) {
    return RowWriter::header(columnNames<TableRow>(plan.variedKeys()));
}

std::string summaryHeader(const RunPlan& plan) {
    return RowWriter::header(columnNames<SummaryRow>(plan.variedKeys()));
}

TableWriter::TableWriter(const RunPlan& runPlan, OutputFile& file) : plan(runPlan), out(file) {}

void TableWriter::turn(std::uint64_t run, const RecordedTurn& turn) {
    if (!row || row->run != run) {
        row.emplace();
        static_cast<RunFields&>(*row) = RunFields::of(plan, run);
    }
    row->turn = turn.turn;
    row->census = turn.census;
    record.clear();
    writer.append(record, *row);
    out.append(record);
    const auto now = std::chrono::steady_clock::now();
    if (now - lastFlush >= std::chrono::seconds(1)) {
        out.flush();
        lastFlush = now;
    }
}

void TableWriter::end(std::uint64_t, const RunEnd&) {
    out.flush();
    lastFlush = std::chrono::steady_clock::now();
}

SummaryWriter::SummaryWriter(const RunPlan& runPlan, OutputFile& file)
    : plan(runPlan), out(file) {}

void SummaryWriter::turn(std::uint64_t, const RecordedTurn& turn) { census.record(turn); }

void SummaryWriter::end(std::uint64_t run, const RunEnd& end) {
    std::string record;
    writer.append(record, SummaryRow::of(RunFields::of(plan, run), census.start, census.last, end));
    out.append(record);
    out.flush();
    census = {};
}
