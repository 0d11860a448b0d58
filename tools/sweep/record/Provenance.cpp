#include "tools/sweep/record/Provenance.h"

#include <sys/resource.h>
#include <unistd.h>

#include "tools/sweep/record/RecordFile.h"
#include "tools/sweep/record/RecordText.h"

namespace {

std::uint64_t peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::uint64_t>(usage.ru_maxrss);
}

} // namespace

std::string currentFolder() {
    std::vector<char> path(4096);
    return getcwd(path.data(), path.size()) ? std::string(path.data()) : std::string();
}

std::string hostName() {
    char name[256] = {};
    return gethostname(name, sizeof name - 1) == 0 ? std::string(name) : std::string();
}

Provenance::Provenance(const SweepOptions& sweepOptions, std::vector<std::string> commandLine,
                       std::string programName, std::string workers)
    : options(sweepOptions), command(std::move(commandLine)),
      program(std::move(programName)), workerText(std::move(workers)),
      started(std::chrono::system_clock::now()) {}

SweepRecord Provenance::record(const std::string& file, FileContent content,
                               const OutcomeTally& tally, SweepState state) const {
    SweepRecord record = SweepRecord::of(options);
    record.program = program;
    record.commandLine = command;
    record.workingDirectory = currentFolder();
    record.host = hostName();
    record.file = file;
    record.content = content;
    record.workers = workerText;
    std::vector<SessionRecord> sessions = earlier;
    std::optional<std::string> ended;
    if (state != SweepState::Running)
        ended = utcTime(std::chrono::system_clock::now());
    sessions.push_back({utcTime(started), ended, state, workerText});
    record.setSessions(std::move(sessions));
    record.tally = tally;
    record.peakMemoryKilobytes = peakKilobytes();
    return record;
}

std::string Provenance::writeBeside(const std::string& file, FileContent content,
                                    const OutcomeTally& tally, SweepState state) const {
    return writeRecordBeside(file, record(file, content, tally, state));
}
