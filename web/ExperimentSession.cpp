#include "web/ExperimentSession.h"

#include <fstream>
#include <sstream>

#include "tools/sweep/output/OutputFile.h"
#include "tools/sweep/output/SweepTables.h"
#include "tools/sweep/record/RecordText.h"
#include "tools/sweep/workers/WorkerProtocol.h"

namespace {

std::string contentOf(const std::string& name) {
    std::ifstream file(name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// How many runs ended in each way.
class TallySink : public RunSink {
public:
    void turn(std::uint64_t, const RecordedTurn&) override {}
    void end(std::uint64_t, const RunEnd& end) override { tally.count(end.outcome); }

    OutcomeTally tally;
};

} // namespace

ExperimentSession::ExperimentSession(const std::string& optionsText,
                                     const std::string& settingsText)
    : page(optionsText, settingsText) {}

void ExperimentSession::report(std::uint64_t run, std::string bytes) {
    if (run < page.runs())
        reports.emplace(run, std::move(bytes));
}

void ExperimentSession::replay(RunSink& sink) const {
    for (const auto& [run, bytes] : reports) {
        std::uint64_t lastTurn = 0;
        RunForwarder forwarder(sink, run, &lastTurn);
        protocol::Decoder decoder;
        const bool whole = decoder.feed(bytes, forwarder);
        if (!decoder.ended())
            sink.end(run, {RunOutcome::Failed, lastTurn, std::nullopt,
                           whole ? "the worker's report ends before the run"
                                 : "the worker sent something that is not a run's report"});
    }
}

template <class Writer>
std::string ExperimentSession::written(const std::string& header) const {
    const std::string name = "/experiment-file.csv";
    {
        OutputFile file(name);
        file.begin();
        file.append(header);
        Writer writer(page.plan(), file);
        replay(writer);
        file.flush();
    }
    return contentOf(name);
}

std::string ExperimentSession::table() const {
    return written<TableWriter>(tableHeader(page.plan()));
}

std::string ExperimentSession::summary() const {
    return written<SummaryWriter>(summaryHeader(page.plan()));
}

void ExperimentSession::playing(std::uint64_t workerCount, std::string pageAddress) {
    workers = std::to_string(workerCount) + " Web Workers of the page at once (one per core)";
    address = std::move(pageAddress);
}

void ExperimentSession::stopped() {
    ended = std::chrono::system_clock::now();
}

SweepRecord ExperimentSession::record(const std::string& tableFile) const {
    SweepRecord record = SweepRecord::of(page.options());
    record.program = "lurkfield-sweep, in the page (lurkfield.wasm, musl's rand())";
    record.commandLine = page.commandLine();
    record.workingDirectory = address;
    record.file = tableFile;
    record.content = FileContent::Table;
    record.workers = workers;
    const SweepState state = !ended                        ? SweepState::Running
                             : reports.size() == page.runs() ? SweepState::Complete
                                                             : SweepState::Interrupted;
    const std::optional<std::string> end = ended ? std::optional(utcTime(*ended)) : std::nullopt;
    record.setSessions({{utcTime(started), end, state, workers}});
    TallySink tally;
    replay(tally);
    record.tally = tally.tally;
    return record;
}

ExperimentSession::Outcome ExperimentSession::outcome() const {
    const SweepOptions& options = page.options();
    TallySink tally;
    PlotData plot(page.plan(), options.turns, options.every);
    SinkList sinks;
    sinks.add(tally);
    const bool drawn = page.plan().points() <= maxPlottedPoints;
    if (drawn)
        sinks.add(plot);
    replay(sinks);
    Outcome outcome{tally.tally, {}, {}};
    if (drawn) {
        plot.finish();
        outcome.chart = readPlotLines(plot, outcome.chartProblem);
    }
    return outcome;
}
