#pragma once
// Where an interrupted sweep goes on (--resume). Its table, its summary when
// it has one, and the records beside them are read and checked before anything
// is changed: each record must be of this very sweep (the same version,
// settings text, options and shard) and every row a row of it, written as the
// sweep writes it, in run order.
//
// The files hold the runs of the sequence from its start, as the sweep wrote
// them, but each may have lost a different tail: a sweep killed outright
// leaves a torn last line, and a machine that lost its power may keep more of
// one file than of the other. The runs kept are those that every file holds
// whole, from the first run on: with a summary, a run is whole when the
// summary lists it and the table holds as many rows of it as the summary says
// it recorded; without one, when the table holds its last turn or rows of a
// later run. Each file is cut back to its header and the rows of the runs kept;
// the first run that is not whole and every one after it are played again, and
// the files grow as an uninterrupted sweep would have written them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/sweep/RunSink.h"
#include "tools/sweep/SweepOptions.h"
#include "tools/sweep/record/SweepRecord.h"

class SweepResume {
public:
    explicit SweepResume(const SweepOptions& sweepOptions) : options(sweepOptions) {}

    // Reads the files. `tableRecord` and `summaryRecord` are the records this
    // sweep writes for them; every run kept is handed to `kept`, its turns
    // and then its end. False, with the reason, when they cannot be resumed.
    bool read(const SweepRecord& tableRecord, const SweepRecord& summaryRecord, RunSink& kept,
              std::string& problem);

    // How many runs of the sequence are kept.
    std::uint64_t keptRuns() const { return kept; }
    // The bytes of each file to keep: its header and the rows of those runs;
    // 0 when the file ends before its header does (it gets a new one).
    std::uint64_t tableBytes() const { return tableKept; }
    std::uint64_t summaryBytes() const;
    // The times the sweep ran before, from the table's record.
    const std::vector<SessionRecord>& sessions() const { return earlier; }

    // A run the summary lists: how it ended, how many rows of the table it
    // recorded, and where its row begins in the summary.
    struct Listed {
        RunEnd end;
        std::uint64_t tableRows = 0;
        std::uint64_t startBytes = 0;
    };

private:
    bool checkRecord(const std::string& file, const SweepRecord& ours, std::string& problem);
    bool readSummary(std::string& problem);
    bool readTable(RunSink& keptRuns, std::string& problem);

    const SweepOptions& options;
    // With a summary, the runs it lists whole.
    std::optional<std::vector<Listed>> listed;
    std::uint64_t summaryEnd = 0;
    std::uint64_t kept = 0;
    std::uint64_t tableKept = 0;
    std::vector<SessionRecord> earlier;
};
