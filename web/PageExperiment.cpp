#include "web/PageExperiment.h"

#include <array>
#include <fstream>
#include <memory>
#include <sstream>
#include <string_view>

#include "tools/common/UsageError.h"
#include "tools/sweep/RunSink.h"
#include "tools/sweep/output/OutputFile.h"
#include "tools/sweep/output/SweepTables.h"

namespace {

// The sweep's options that choose files, processes or output: the page has
// none of those (its workers are one per core, its files are downloads).
constexpr std::array<std::string_view, 12> notOnThePage = {
    "--config", "--jobs", "--table", "--summary", "--plot", "--shard",
    "--quiet",  "--resume", "--merge", "--help", "--version", "-h"};

void refuseWhatMeansNothingHere(const std::vector<std::string>& args) {
    for (const std::string& arg : args)
        for (std::string_view option : notOnThePage)
            if (arg == option)
                throw UsageError(arg + " means nothing on the page: an experiment here takes "
                                       "--set, --vary, --reps, --seed, --turns and --every");
}

// Hands every recorded turn of the run to the sinks as the sweep's session does.
class SinkRecorder : public RunRecorder {
public:
    SinkRecorder(std::uint64_t run, RunSink& sink) : runNumber(run), sinks(sink) {}
    void record(const RecordedTurn& turn) override { sinks.turn(runNumber, turn); }

private:
    std::uint64_t runNumber;
    RunSink& sinks;
};

std::string contentOf(const std::string& name) {
    std::ifstream file(name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

std::vector<std::string> splitOptions(const std::string& text) {
    std::istringstream words(text);
    std::vector<std::string> args;
    for (std::string word; words >> word;)
        args.push_back(word);
    return args;
}

PageExperiment::PageExperiment(const std::string& optionsText, const std::string& settingsText) {
    const std::vector<std::string> args = splitOptions(optionsText);
    refuseWhatMeansNothingHere(args);
    sweep = readSweepOptions(args, SweepProgram::Forked);
    if (sweep.plan.runs() > maxPageRuns)
        throw UsageError("this experiment has " + std::to_string(sweep.plan.runs()) +
                         " runs; a page runs at most " + std::to_string(maxPageRuns) +
                         " (lurkfield-sweep runs more)");
    sweep.settingsText = std::make_shared<const std::string>(settingsText);
}

PageExperiment::RunRows PageExperiment::play(std::uint64_t run) const {
    RunRows rows;
    {
        OutputFile table("/run-table.csv");
        OutputFile summary("/run-summary.csv");
        table.begin();
        summary.begin();
        TableWriter tableWriter(sweep.plan, table);
        SummaryWriter summaryWriter(sweep.plan, summary);
        SinkList sinks;
        sinks.add(tableWriter);
        sinks.add(summaryWriter);
        SinkRecorder recorder(run, sinks);
        const RunEnd end = playRun(sweep.request(run), recorder);
        sinks.end(run, end);
        table.flush();
        summary.flush();
        rows.outcome = outcomeName(end.outcome);
    }
    rows.table = contentOf("/run-table.csv");
    rows.summary = contentOf("/run-summary.csv");
    return rows;
}
