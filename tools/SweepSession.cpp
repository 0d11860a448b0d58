#include "tools/SweepSession.h"

#include <cstdio>

#include "tools/Gnuplot.h"

RunRequest requestFor(const SweepOptions& options, const RunPlan& plan, std::uint64_t run) {
    RunRequest request;
    request.configFile = options.configFile;
    request.lines = options.settings;
    for (SettingLine& line : plan.linesOf(plan.pointOf(run)))
        request.lines.push_back(std::move(line));
    request.seed = plan.seedOf(run);
    request.turns = options.turns;
    request.every = options.every;
    return request;
}

SweepSession::SweepSession(const SweepOptions& sweepOptions, std::vector<std::string> commandLine,
                           std::string program, std::string workers)
    : options(sweepOptions), programName(program), runPlan(options.plan()),
      runs(options.sequence(runPlan)), shown(runs.size(), Progress::modeFor(options.quiet)),
      provenance(options, runPlan, runs, std::move(commandLine), std::move(program),
                 std::move(workers)),
      report(runPlan, shown) {}

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

bool SweepSession::open() {
    if (!openFile(table, options.table) ||
        (options.summary && !openFile(summary, *options.summary))) {
        for (OutputFile* file : {table.get(), summary.get()}) {
            if (file)
                file->abandon();
        }
        return false;
    }
    table->begin();
    if (summary)
        summary->begin();
    tableWriter = std::make_unique<TableWriter>(runPlan, *table);
    sinks.add(*tableWriter);
    if (summary) {
        summaryWriter = std::make_unique<SummaryWriter>(runPlan, *summary);
        sinks.add(*summaryWriter);
    }
    if (options.plot) {
        plotData = std::make_unique<PlotData>(runPlan, options.turns, options.every);
        sinks.add(*plotData);
        plotPossible = gnuplotInstalled();
        if (!plotPossible)
            say("gnuplot is not installed, so " + *options.plot +
                " will not be drawn (Debian: apt-get install gnuplot-nox); the tables are "
                "written all the same");
    }
    sinks.add(report);
    inOrder = std::make_unique<OrderedRuns>(runs, sinks);
    writeProvenance(SweepState::Running);
    return true;
}

bool SweepSession::outputFailed() const {
    return !table->writeError().empty() || (summary && !summary->writeError().empty());
}

void SweepSession::writeProvenance(SweepState state) {
    const std::pair<const OutputFile*, const char*> files[] = {{table.get(), "table"},
                                                               {summary.get(), "summary"}};
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
        options.reps == 1 ? "1 run" : std::to_string(options.reps) + " runs";
    const std::string title = options.configFile + ": each line the mean of " + perLine +
                              ", its band from the least to the greatest";
    const std::string problem = drawPlot(*plotData, *options.plot, title);
    if (!problem.empty())
        say(*options.plot + " was not drawn: " + problem);
    return problem.empty();
}

namespace {

SweepState stateAfter(PlayingStop stop) {
    switch (stop) {
    case PlayingStop::Finished:
        return SweepState::Complete;
    case PlayingStop::Interrupted:
        return SweepState::Interrupted;
    case PlayingStop::OutputFailed:
        break;
    }
    return SweepState::WriteFailed;
}

} // namespace

int SweepSession::finish(PlayingStop stop) {
    SweepState state = stateAfter(stop);
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
            std::to_string(runs.size()) + " runs; the files hold whole rows only");
    else if (tally.notPlayed() > 0)
        say(std::to_string(tally.notPlayed()) + " of " + std::to_string(runs.size()) +
            " runs were not played (see above)");
    return state == SweepState::Complete && tally.notPlayed() == 0 && drawn ? 0 : 1;
}
