#include "tools/Provenance.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

#include "Version.h"
#include "tools/Json.h"
#include "tools/OutputFile.h"

namespace {

// The most of the settings file kept in the record. The reader itself stops at
// the first line longer than 998 characters, so a working settings file is far
// smaller.
constexpr std::size_t keptSettingsBytes = 1024 * 1024;

const char* stateName(SweepState state) {
    switch (state) {
    case SweepState::Running:
        return "running";
    case SweepState::Complete:
        return "complete";
    case SweepState::Interrupted:
        return "interrupted";
    case SweepState::WriteFailed:
        break;
    }
    return "write failed";
}

std::string currentFolder() {
    std::vector<char> path(4096);
    return getcwd(path.data(), path.size()) ? std::string(path.data()) : std::string();
}

std::string hostName() {
    char name[256] = {};
    return gethostname(name, sizeof name - 1) == 0 ? std::string(name) : std::string();
}

// "2024-06-07T12:34:56Z"
std::string utcTime(std::chrono::system_clock::time_point time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

std::uint64_t peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::uint64_t>(usage.ru_maxrss);
}

} // namespace

Provenance::Provenance(const SweepOptions& sweepOptions, const RunPlan& runPlan,
                       const RunSequence& shardRuns, std::vector<std::string> commandLine,
                       std::string programName, std::string workers)
    : options(sweepOptions), plan(runPlan), runs(shardRuns), command(std::move(commandLine)),
      program(std::move(programName)), workerText(std::move(workers)),
      started(std::chrono::system_clock::now()) {
    std::ifstream file(options.configFile, std::ios::binary);
    if (!file.is_open()) {
        settingsError = std::strerror(errno);
        return;
    }
    std::string text(keptSettingsBytes + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(file.gcount()));
    settingsCut = text.size() > keptSettingsBytes;
    if (settingsCut)
        text.resize(keptSettingsBytes);
    settingsText = std::move(text);
}

std::string Provenance::varied() const {
    std::string array = "[";
    for (std::size_t i = 0; i < options.varied.size(); ++i) {
        const VariedKey& key = options.varied[i];
        array += i > 0 ? ", " : "";
        array += "{\"key\": " + json::quoted(key.key) +
                 ", \"values\": " + json::quoted(key.written) +
                 ", \"count\": " + std::to_string(key.values.size()) + "}";
    }
    return array + "]";
}

std::string Provenance::document(const std::string& file, const std::string& content,
                                 const OutcomeTally& tally, SweepState state) const {
    std::vector<std::string> lines;
    for (const SettingLine& line : options.settings)
        lines.push_back(line.asFileLine());
    const std::string seedRule = "run r is seeded with srand(" + std::to_string(options.firstSeed) +
                                 " + r); run = design point x reps + rep";
    json::ObjectWriter object;
    object.text("program", program)
        .text("version", LURKFIELD_VERSION)
        .texts("command_line", command);
    object.text("working_directory", currentFolder()).text("host", hostName());
    object.text("file", file).text("content", content);
    object.text("settings_file", options.configFile).maybeText("settings_text", settingsText);
    if (!settingsError.empty())
        object.text("settings_error", settingsError);
    object.flag("settings_text_cut", settingsCut).texts("settings_lines_added", lines);
    object.raw("varied", varied()).number("reps", options.reps).number("runs", plan.runs());
    object.text("shard",
                std::to_string(options.shardIndex) + "/" + std::to_string(options.shardCount));
    object.number("runs_in_shard", runs.size());
    object.number("turns", options.turns).number("every", options.every);
    object.text("seed_rule", seedRule).number("first_seed", options.firstSeed);
    object.text("workers", workerText).text("started", utcTime(started));
    if (state == SweepState::Running)
        object.raw("ended", "null");
    else
        object.text("ended", utcTime(std::chrono::system_clock::now()));
    object.text("state", stateName(state)).number("runs_played", tally.played);
    object.number("runs_refused", tally.refused).number("runs_out_of_memory", tally.outOfMemory);
    object.number("runs_failed", tally.failed);
    object.number("peak_memory_kilobytes", peakKilobytes());
    return object.finish();
}

std::string Provenance::writeBeside(const std::string& file, const std::string& content,
                                    const OutcomeTally& tally, SweepState state) const {
    return replaceFile(file + ".json", document(file, content, tally, state));
}
