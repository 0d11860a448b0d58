// lurkfield-sweep: many runs of the simulation over a grid of settings, each
// in a worker process of its own, written as one table in run order.
#include <iostream>
#include <string>
#include <vector>

#include "Version.h"
#include "tools/common/UsageError.h"
#include "tools/sweep/SweepSession.h"
#include "tools/sweep/output/TableMerge.h"
#include "tools/sweep/workers/Interruption.h"
#include "tools/sweep/workers/WorkerPool.h"

namespace {

int merge(const SweepOptions& options, const std::vector<std::string>& commandLine) {
    MergeRequest request{*options.mergeFiles, std::nullopt, std::nullopt, commandLine};
    if (options.summary) {
        request.output = options.summary;
        request.content = FileContent::Summary;
    } else if (options.table != "-") {
        request.output = options.table;
        request.content = FileContent::Table;
    }
    return mergeParts(request, std::cout, std::cerr);
}

int sweep(SweepOptions& options, const std::vector<std::string>& commandLine) {
    if (std::string problem; !options.loadSettings(problem)) {
        std::cerr << "lurkfield-sweep: cannot read the settings file '" << options.configFile
                  << "': " << problem << '\n';
        return 1;
    }
    interruption::install();
    WorkerPool pool(options.jobs > 0 ? options.jobs : WorkerPool::cores());
    SweepSession session(options, commandLine, "lurkfield-sweep", pool);
    const int status = session.run();
    if (session.state() == SweepState::Interrupted)
        interruption::endAsSignalled();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> commandLine(argv, argv + argc);
    const std::vector<std::string> args(commandLine.begin() + 1, commandLine.end());
    SweepOptions options;
    try {
        options = readSweepOptions(args, SweepProgram::Forked);
    } catch (const UsageError& error) {
        std::cerr << error.what() << '\n' << sweepUsage(SweepProgram::Forked);
        return 2;
    }
    if (options.help) {
        std::cout << sweepUsage(SweepProgram::Forked);
        return 0;
    }
    if (options.version) {
        std::cout << "lurkfield-sweep " LURKFIELD_VERSION "\n";
        return 0;
    }
    if (options.mergeFiles)
        return merge(options, commandLine);
    return sweep(options, commandLine);
}
