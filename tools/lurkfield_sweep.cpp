// lurkfield-sweep: many runs of the simulation over a grid of settings, each
// in a worker process of its own, written as one table in run order.
#include <iostream>
#include <string>
#include <vector>

#include "Version.h"
#include "tools/Interruption.h"
#include "tools/SweepSession.h"
#include "tools/TableMerge.h"
#include "tools/UsageError.h"
#include "tools/WorkerPool.h"

namespace {

int sweep(const SweepOptions& options, const std::vector<std::string>& commandLine) {
    const unsigned jobs = options.jobs > 0 ? options.jobs : WorkerPool::cores();
    interruption::install();
    SweepSession session(options, commandLine, "lurkfield-sweep",
                         std::to_string(jobs) + " worker processes at once (--jobs " +
                             std::to_string(jobs) + ")");
    if (!session.open())
        return 1;
    const RunPlan& plan = session.plan();
    WorkerPool pool(jobs, [&](std::uint64_t run) { return requestFor(options, plan, run); });
    const PlayingStop stop = pool.playAll(session.sequence(), session.ordered(), session.progress(),
                                          [&] { return session.outputFailed(); });
    const int status = session.finish(stop);
    if (stop == PlayingStop::Interrupted)
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
        return mergeTables(*options.mergeFiles, std::cout, std::cerr);
    return sweep(options, commandLine);
}
