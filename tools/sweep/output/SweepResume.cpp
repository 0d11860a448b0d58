#include "tools/sweep/output/SweepResume.h"

#include "tools/sweep/output/SweepTables.h"
#include "tools/sweep/output/WholeRuns.h"
#include "tools/sweep/record/RecordFile.h"
#include "tools/sweep/rows/RowReader.h"
#include "tools/sweep/rows/RowWriter.h"
#include "tools/sweep/rows/TableReader.h"

namespace {

// A file that ends before its header is whole is kept as nothing (its header
// is written anew); anything else there is not the file of this sweep.
bool beforeHeader(const std::string& file, const std::string& start, const std::string& header,
                  std::string& problem) {
    if (header.starts_with(start))
        return true;
    problem = file + " does not begin with the header of this sweep";
    return false;
}

// Tells whether a record is the row of a run of the plan as the sweep writes
// it, byte for byte, from the row read from it.
class SweepRows {
public:
    explicit SweepRows(const RunPlan& runPlan) : plan(runPlan) {}

    template <class Row>
    bool wrote(const std::optional<Row>& row, const std::string& record, std::uint64_t run) {
        if (!row)
            return false;
        if (!fields || fields->run != run)
            fields = RunFields::of(plan, run);
        written.clear();
        writer.append(written, *row);
        return static_cast<const RunFields&>(*row) == *fields && written == record;
    }

private:
    const RunPlan& plan;
    RowWriter writer;
    std::optional<RunFields> fields;
    std::string written;
};

std::string firstLine(const std::string& record) {
    return record.substr(0, record.find('\n'));
}

// The table's rows after its header, each handed to `whole` until the runs
// kept have ended.
bool readRows(const SweepOptions& options, TableReader& in, WholeRuns& whole,
              std::string& problem) {
    const auto reader = RowReader<TableRow>::of(options.plan.variedKeys(), tableHeader(options.plan));
    const RunSequence runs = options.sequence();
    SweepRows sweepRows(options.plan);
    std::optional<std::uint64_t> last;
    std::string record;
    for (std::uint64_t before = in.wholeBytes(); in.next(record); before = in.wholeBytes()) {
        const std::optional<TableRow> row = reader->read(record);
        const bool ours = row && runs.holds(row->run) && sweepRows.wrote(row, record, row->run);
        const std::uint64_t position = ours ? runs.positionOf(row->run) : 0;
        if (!ours || (last && position < *last)) {
            problem = in.fileName() + " holds a row that is not a row of this sweep in run order: " +
                      firstLine(record);
            return false;
        }
        last = position;
        if (!whole.row(position, {row->turn, row->census}, before))
            return true;
    }
    whole.end(in.wholeBytes());
    return true;
}

} // namespace

std::uint64_t SweepResume::summaryBytes() const {
    if (!listed)
        return 0;
    return kept < listed->size() ? (*listed)[kept].startBytes : summaryEnd;
}

bool SweepResume::read(const SweepRecord& tableRecord, const SweepRecord& summaryRecord,
                       RunSink& keptRuns, std::string& problem) {
    if (!checkRecord(options.table, tableRecord, problem) ||
        (options.summary && !checkRecord(*options.summary, summaryRecord, problem)))
        return false;
    return (!options.summary || readSummary(problem)) && readTable(keptRuns, problem);
}

bool SweepResume::checkRecord(const std::string& file, const SweepRecord& ours,
                              std::string& problem) {
    const std::optional<SweepRecord> theirs = readRecordBeside(file, problem);
    if (!theirs)
        return false;
    if (problem = resumeDifference(*theirs, ours); !problem.empty()) {
        problem = file + " is not of this sweep: " + problem;
        return false;
    }
    if (ours.content == FileContent::Table)
        earlier = theirs->sessionsSoFar();
    return true;
}

bool SweepResume::readSummary(std::string& problem) {
    const std::string& file = *options.summary;
    const std::string header = summaryHeader(options.plan);
    listed.emplace();
    TableReader in(file);
    std::string record;
    if (!in.next(record)) {
        // Killed before its header was written: nothing to keep.
        return beforeHeader(file, record, header, problem);
    }
    if (record != header) {
        problem = file + " does not begin with the header of this sweep's summary";
        return false;
    }
    const auto reader = RowReader<SummaryRow>::of(options.plan.variedKeys(), header);
    const RunSequence runs = options.sequence();
    SweepRows sweepRows(options.plan);
    for (std::uint64_t before = in.wholeBytes(); in.next(record); before = in.wholeBytes()) {
        const std::uint64_t position = listed->size();
        const std::optional<SummaryRow> row =
            position < runs.size() ? reader->read(record) : std::nullopt;
        if (!sweepRows.wrote(row, record, runs.at(position))) {
            problem = file + " holds a row that is not the next run of this sweep: " +
                      firstLine(record);
            return false;
        }
        listed->push_back({row->end(), row->tableRows(options.turns, options.every), before});
    }
    summaryEnd = in.wholeBytes();
    return true;
}

bool SweepResume::readTable(RunSink& keptRuns, std::string& problem) {
    const std::string& file = options.table;
    const std::string header = tableHeader(options.plan);
    WholeRuns whole(options, listed, keptRuns);
    TableReader in(file);
    std::string record;
    if (!in.next(record)) {
        if (!beforeHeader(file, record, header, problem))
            return false;
        whole.end(0);
    } else if (record != header) {
        problem = file + " does not begin with the header of this sweep's table";
        return false;
    } else if (!readRows(options, in, whole, problem)) {
        return false;
    }
    kept = whole.kept();
    tableKept = whole.tableBytes();
    return true;
}
