#pragma once
// Where an interrupted sweep goes on (--resume). Its table, its summary when
// it has one, and the records beside them are read and checked before anything
// is changed: each record must be of this very sweep (the same version,
// settings text, options and shard) and every row a row of it, in run order.
//
// The files hold the runs of the sequence from its start, as the sweep wrote
// them. With a summary, the runs it lists are complete (a run's summary row is
// written after all its table rows); without one, a run is complete once the
// table holds its last turn or a later run's rows. Rows of the first run that
// is not complete, and a torn last line, are cut off; that run and every one
// after it are played again, and the files grow as an uninterrupted sweep
// would have written them.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/sweep/RunSink.h"
#include "tools/sweep/SweepOptions.h"
#include "tools/sweep/output/SweepRecord.h"

class SweepResume {
public:
    explicit SweepResume(const SweepOptions& sweepOptions) : options(sweepOptions) {}

    // Reads the files. `tableRecord` and `summaryRecord` are the records this
    // sweep writes for them; every complete run is handed to `kept`, its turns
    // and then its end. False, with the reason, when they cannot be resumed.
    bool read(const SweepRecord& tableRecord, const SweepRecord& summaryRecord, RunSink& kept,
              std::string& problem);

    // How many runs of the sequence are complete in the files.
    std::uint64_t keptRuns() const { return kept; }
    // The bytes of each file to keep: its header and the rows of those runs;
    // 0 when the file ends before its header does (it gets a new one).
    std::uint64_t tableBytes() const { return tableKept; }
    std::uint64_t summaryBytes() const { return summaryKept; }
    // The times the sweep ran before, from the table's record.
    const SweepRecord& sessions() const { return earlier; }

private:
    bool readSummary(std::string& problem);
    bool readTable(RunSink& keptRuns, std::string& problem);

    const SweepOptions& options;
    std::vector<RunEnd> ends;
    std::uint64_t kept = 0;
    std::uint64_t tableKept = 0;
    std::uint64_t summaryKept = 0;
    SweepRecord earlier;
};

// Whether the record on disk is of the sweep whose own record is `ours`; ""
// when it is, otherwise what differs.
std::string resumeDifference(const SweepRecord& theirs, const SweepRecord& ours);
