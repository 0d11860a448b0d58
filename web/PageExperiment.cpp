#include "web/PageExperiment.h"

#include <array>
#include <memory>
#include <sstream>
#include <string_view>
#include <vector>

#include "tools/common/UsageError.h"
#include "tools/sweep/workers/WorkerProtocol.h"

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

// The options as the shell would hand them to lurkfield-sweep, without quoting.
std::vector<std::string> splitOptions(const std::string& text) {
    std::istringstream words(text);
    std::vector<std::string> args;
    for (std::string word; words >> word;)
        args.push_back(word);
    return args;
}

// Every recorded turn of the run, as a worker reports it.
class ReportRecorder : public RunRecorder {
public:
    explicit ReportRecorder(std::string& reportBytes) : bytes(reportBytes) {}
    void record(const RecordedTurn& turn) override { protocol::appendTurn(bytes, turn); }

private:
    std::string& bytes;
};

} // namespace

PageExperiment::PageExperiment(const std::string& optionsText, const std::string& settingsText)
    : args(splitOptions(optionsText)) {
    refuseWhatMeansNothingHere(args);
    sweep = readSweepOptions(args, SweepProgram::Forked);
    if (sweep.plan.runs() > maxPageRuns)
        throw UsageError("this experiment has " + std::to_string(sweep.plan.runs()) +
                         " runs; a page runs at most " + std::to_string(maxPageRuns) +
                         " (lurkfield-sweep runs more)");
    sweep.settingsText = std::make_shared<const std::string>(settingsText);
}

std::vector<std::string> PageExperiment::commandLine() const {
    std::vector<std::string> line{"lurkfield-sweep"};
    line.insert(line.end(), args.begin(), args.end());
    return line;
}

std::string PageExperiment::play(std::uint64_t run) const {
    std::string report;
    ReportRecorder recorder(report);
    const RunEnd end = playRun(sweep.request(run), recorder);
    protocol::appendEnd(report, end);
    return report;
}
