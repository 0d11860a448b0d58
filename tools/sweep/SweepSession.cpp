#include "tools/sweep/SweepSession.h"

#include "tools/sweep/output/Gnuplot.h"
#include "tools/sweep/workers/Interruption.h"

SweepSession::SweepSession(const SweepOptions& sweepOptions, std::vector<std::string> commandLine,
                           std::string program, RunPlayer& runPlayer)
    : options(sweepOptions), programName(program), player(runPlayer), sequence(options.sequence()),
      shown(sequence.size(), Progress::modeFor(options.quiet)),
      provenance(options, sequence, std::move(commandLine), std::move(program),
                 player.description()),
      report(options.plan, shown), inOrder(sequence, sinks) {}

int SweepSession::run() {
    if (!open())
        return 1;
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
    tableWriter = std::make_unique<TableWriter>(options.plan, *table);
    sinks.add(*tableWriter);
    if (summary) {
        summaryWriter = std::make_unique<SummaryWriter>(options.plan, *summary);
        sinks.add(*summaryWriter);
    }
    if (options.plot) {
        plotData = std::make_unique<PlotData>(options.plan, options.turns, options.every);
        sinks.add(*plotData);
        plotPossible = gnuplotInstalled();
        if (!plotPossible)
            say("gnuplot is not installed, so " + *options.plot +
                " will not be drawn (Debian: apt-get install gnuplot-nox); the tables are "
                "written all the same");
    }
    sinks.add(report);
    sinks.add(shown);
    writeProvenance(SweepState::Running);
    return true;
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
            std::to_string(sequence.size()) + " runs; the files hold whole rows only");
    else if (tally.notPlayed() > 0)
        say(std::to_string(tally.notPlayed()) + " of " + std::to_string(sequence.size()) +
            " runs were not played (see above)");
    ended = state;
    return state == SweepState::Complete && tally.notPlayed() == 0 && drawn ? 0 : 1;
}
