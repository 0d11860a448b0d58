#pragma once
// Which runs of a sweep to resume its files hold whole (SweepResume.h), told
// run after run as the table's rows are read, so that no more than one run's
// rows are held at a time. A run is whole when the summary, if there is one,
// lists it and the table holds as many rows of it as the summary says it
// recorded; without a summary, when the table holds its last turn or rows of
// a later run (a run without rows then counts as refused, one whose rows stop
// short as failed). The first run that is not whole ends the runs kept.
#include <cstdint>
#include <optional>
#include <vector>

#include "tools/sweep/RunSink.h"
#include "tools/sweep/SweepOptions.h"
#include "tools/sweep/output/SweepResume.h"

class WholeRuns {
public:
    // `listed`: the runs the summary lists, or nothing without a summary.
    // Every run kept is handed to `kept`, its turns and then its end.
    WholeRuns(const SweepOptions& options, const std::optional<std::vector<SweepResume::Listed>>& listed,
              RunSink& kept);

    // One more row of the table, of the run at `position` of the sequence (not
    // before the last row's), `bytesBefore` into the table. False once the
    // runs kept have ended: the rest of the table is cut off.
    bool row(std::uint64_t position, const RecordedTurn& turn, std::uint64_t bytesBefore);
    // The table ends after `bytes` of whole records.
    void end(std::uint64_t bytes);

    // How many runs are kept, and the bytes of the table that hold them.
    std::uint64_t kept() const { return decided; }
    std::uint64_t tableBytes() const { return keptBytes; }

private:
    // The rows of the run being read, held until it is known whether it is kept.
    struct RunRows {
        std::uint64_t position = 0;
        std::vector<RecordedTurn> turns;
        // The bytes of the table before its first row.
        std::uint64_t startBytes = 0;
    };

    bool endRunWithRows(bool followed);
    bool endRunsWithoutRows(std::uint64_t before, bool followed);
    void keep(const std::vector<RecordedTurn>& turns, const RunEnd& end);
    void stop(std::uint64_t bytes);

    const SweepOptions& options;
    const std::optional<std::vector<SweepResume::Listed>>& listed;
    RunSink& out;
    const RunSequence runs;
    std::optional<RunRows> rows;
    std::uint64_t decided = 0;
    std::uint64_t keptBytes = 0;
    bool stopped = false;
};
