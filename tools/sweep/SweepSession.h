#pragma once
// One sweep from its options to its files. The session opens the table and the
// summary, writes their headers and the record of how they are made, lets its
// player play the runs, takes every report back and puts it in run order for
// the sinks (table, summary, plot data, the report of runs not played, the
// progress), and at the end finishes the files, draws the plot and says how the
// sweep went. The programs differ only in their player: forked workers or MPI
// ranks. A resumed sweep (--resume) first reads back what its files hold and
// plays only the runs that are not complete in them.
#include <memory>
#include <string>
#include <vector>

#include "tools/sweep/RunPlayer.h"
#include "tools/sweep/SweepOptions.h"
#include "tools/sweep/output/OutputFile.h"
#include "tools/sweep/output/PlotData.h"
#include "tools/sweep/output/Progress.h"
#include "tools/sweep/output/SweepReport.h"
#include "tools/sweep/output/SweepResume.h"
#include "tools/sweep/output/SweepTables.h"
#include "tools/sweep/record/Provenance.h"
#include "tools/sweep/workers/OrderedRuns.h"

class SweepSession : public RunResults {
public:
    // `program` names the program in messages; `player` plays the runs.
    SweepSession(const SweepOptions& options, std::vector<std::string> commandLine,
                 std::string program, RunPlayer& player);

    // Plays the sweep and returns the exit status: 0 when every run was
    // played and every file written, 1 otherwise (with the reason on standard
    // error, also when a file cannot be opened at all), 2 when the files of
    // a sweep to resume are not of this sweep (they are left as they were).
    int run();
    // How the sweep ended; Running when its files could not be opened, so
    // that nothing was played.
    SweepState state() const { return ended; }

    // What the player sees of the sweep.
    const RunSequence& runs() const override { return sequence; }
    RunRequest request(std::uint64_t run) const override { return options.request(run); }
    bool mayStart(std::uint64_t position, std::uint64_t players) const override {
        return inOrder.mayStart(position, players);
    }
    bool finished() const override { return inOrder.finished(); }
    SweepState stopping() const override;
    void waiting() override { shown.tick(); }
    void turn(std::uint64_t run, const RecordedTurn& turn) override { inOrder.turn(run, turn); }
    void end(std::uint64_t run, const RunEnd& end) override { inOrder.end(run, end); }

private:
    int open();
    bool resume();
    bool openFile(std::unique_ptr<OutputFile>& file, const std::string& name);
    int finish(SweepState stop);
    void writeProvenance(SweepState state);
    bool finishPlot(SweepState state);
    void say(const std::string& text);

    const SweepOptions& options;
    std::string programName;
    RunPlayer& player;
    // The runs still to play: the shard's, or those a resumed sweep lacks.
    RunSequence sequence;
    std::uint64_t shardRuns;
    Progress shown;
    Provenance provenance;
    std::unique_ptr<OutputFile> table;
    std::unique_ptr<OutputFile> summary;
    std::unique_ptr<TableWriter> tableWriter;
    std::unique_ptr<SummaryWriter> summaryWriter;
    std::unique_ptr<PlotData> plotData;
    SweepReport report;
    SinkList sinks;
    OrderedRuns inOrder;
    bool plotPossible = true;
    // The bytes of the table and the summary a resumed sweep keeps.
    std::uint64_t keptTable = 0;
    std::uint64_t keptSummary = 0;
    SweepState ended = SweepState::Running;
};
