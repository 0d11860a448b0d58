#include "tools/sweep/SweepSession.h"

#include "tools/sweep/output/Gnuplot.h"
#include "tools/sweep/workers/Interruption.h"

namespace {

// The runs that a resumed sweep's files hold already: they count for the
// tally, the plot and the progress, but are neither written nor reported again.
class KeptRuns : public RunSink {
public:
    KeptRuns(PlotData* plotData, SweepReport& sweepReport, Progress& sweepProgress)
        : plot(plotData), report(sweepReport), progress(sweepProgress) {}

    void turn(std::uint64_t run, const RecordedTurn& turn) override {
        if (plot)
            plot->turn(run, turn);
    }
    void end(std::uint64_t run, const RunEnd& end) override {
        if (plot)
            plot->end(run, end);
        report.count(end.outcome);
        progress.runDone();
    }

private:
    PlotData* plot;
    SweepReport& report;
    Progress& progress;
};

} // namespace

SweepSession::SweepSession(const SweepOptions& sweepOptions, std::vector<std::string> commandLine,
                           std::string program, RunPlayer& runPlayer)
    : options(sweepOptions), programName(program), player(runPlayer), sequence(options.sequence()),
      shardRuns(sequence.size()), shown(shardRuns, Progress::modeFor(options.quiet)),
      provenance(options, std::move(commandLine), std::move(program), player.description()),
      report(options.plan, shown), inOrder(sequence, sinks) {}

int SweepSession::run() {
    if (const int status = open(); status != 0)
        return status;
    return finish(player.playAll(*this));
}

SweepState SweepSession::stopping() const {
    if (interruption::requested())
        return SweepState::Interrupted;
    if (!table->writeError().empty() || (summary && !summary->writeError().empty()))
        return SweepState::WriteFailed;
    return SweepState::Running;
}

void SweepSession::say(const std::string& text) {
    shown.message(programName + ": " + text);
}

bool SweepSession::openFile(std::unique_ptr<OutputFile>& file, const std::string& name) {
    file = std::make_unique<OutputFile>(name);
    if (file->openError().empty())
        return true;
    say("cannot write " + name + ": " + file->openError());
    return false;
}

bool SweepSession::resume() {
    SweepResume files(options);
    KeptRuns kept(plotData.get(), report, shown);
    const OutcomeTally none;
    std::string problem;
    if (!files.read(provenance.record(options.table, FileContent::Table, none, SweepState::Running),
                    provenance.record(options.summary.value_or(""), FileContent::Summary, none,
                                      SweepState::Running),
                    kept, problem)) {
        say("cannot resume: " + problem);
        return false;
    }
    provenance.continues(files.sessions());
    keptTable = files.tableBytes();
    keptSummary = files.summaryBytes();
    sequence = sequence.from(files.keptRuns());
    return true;
}

int SweepSession::open() {
    if (options.plot) {
        plotData = std::make_unique<PlotData>(options.plan, options.turns, options.every);
        plotPossible = gnuplotInstalled();
        if (!plotPossible)
            say("gnuplot is not installed, so " + *options.plot +
                " will not be drawn (Debian: apt-get install gnuplot-nox); the tables are "
                "written all the same");
    }
    if (options.resume && !resume())
        return 2;
    if (!openFile(table, options.table) ||
        (options.summary && !openFile(summary, *options.summary))) {
        for (OutputFile* file : {table.get(), summary.get()}) {
            if (file)
                file->abandon();
        }
        return 1;
    }
    // A new file, or one whose header a resumed sweep did not find, begins with its header.
    const auto begin = [&](OutputFile& file, std::uint64_t kept, const std::string& header) {
        if (!options.resume)
            file.begin();
        else
            file.continueAfter(kept);
        if (kept == 0)
            file.append(header);
    };
    begin(*table, keptTable, tableHeader(options.plan));
    if (summary)
        begin(*summary, keptSummary, summaryHeader(options.plan));
    tableWriter = std::make_unique<TableWriter>(options.plan, *table);
    sinks.add(*tableWriter);
    if (summary) {
        summaryWriter = std::make_unique<SummaryWriter>(options.plan, *summary);
        sinks.add(*summaryWriter);
    }
    if (plotData)
        sinks.add(*plotData);
    sinks.add(report);
    sinks.add(shown);
    writeProvenance(SweepState::Running);
    return 0;
}

void SweepSession::writeProvenance(SweepState state) {
    const std::pair<const OutputFile*, FileContent> files[] = {
        {table.get(), FileContent::Table}, {summary.get(), FileContent::Summary}};
    for (const auto& [file, content] : files) {
        if (!file || !file->isRegularFile())
            continue;
        const std::string problem =
            provenance.writeBeside(file->name(), content, report.tally(), state);
        if (!problem.empty() && state != SweepState::Running)
            say("cannot write " + file->name() + ".json: " + problem);
    }
}

bool SweepSession::finishPlot(SweepState state) {
    if (!plotData || state != SweepState::Complete)
        return true;
    plotData->finish();
    if (!plotPossible) {
        say(*options.plot + " was not drawn: gnuplot is not installed");
        return false;
    }
    const std::string perLine =
        options.plan.reps() == 1 ? "1 run" : std::to_string(options.plan.reps()) + " runs";
    const std::string title = options.configFile + ": each line the mean of " + perLine +
                              ", its band from the least to the greatest";
    const std::string problem = drawPlot(*plotData, *options.plot, title);
    if (!problem.empty())
        say(*options.plot + " was not drawn: " + problem);
    return problem.empty();
}

int SweepSession::finish(SweepState stop) {
    SweepState state = stop;
    shown.finish();
    for (OutputFile* file : {table.get(), summary.get()}) {
        if (!file)
            continue;
        file->flush();
        if (!file->writeError().empty()) {
            say("writing " + (file->isStandardOutput() ? std::string("the table") : file->name()) +
                " failed: " + file->writeError());
            state = SweepState::WriteFailed;
        }
    }
    const bool drawn = finishPlot(state);
    writeProvenance(state);
    const OutcomeTally& tally = report.tally();
    if (state == SweepState::Interrupted)
        say("interrupted after " + std::to_string(tally.played + tally.notPlayed()) + " of " +
            std::to_string(shardRuns) + " runs; the files hold whole rows only");
    else if (tally.notPlayed() > 0)
        say(std::to_string(tally.notPlayed()) + " of " + std::to_string(shardRuns) +
            " runs were not played (see above)");
    ended = state;
    return state == SweepState::Complete && tally.notPlayed() == 0 && drawn ? 0 : 1;
}
