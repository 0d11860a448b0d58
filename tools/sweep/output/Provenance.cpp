#include "tools/sweep/output/Provenance.h"

#include <ctime>
#include <nlohmann/json.hpp>
#include <sys/resource.h>
#include <unistd.h>

#include "Version.h"
#include "tools/sweep/output/OutputFile.h"

namespace {

// The most of the settings text kept in the record. The reader itself stops at
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

std::uint64_t peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::uint64_t>(usage.ru_maxrss);
}

// The length of the valid UTF-8 sequence at the front of `text`, or 0.
std::size_t utf8Length(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    if (length == 0 || text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
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

std::string utcTime(std::chrono::system_clock::time_point time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

std::string keepEveryByte(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t length = utf8Length(text.substr(i))) {
            kept.append(text.substr(i, length));
            i += length;
            continue;
        }
        // The code point of the byte's own number, U+0080 .. U+00FF.
        const auto byte = static_cast<unsigned char>(text[i++]);
        kept.push_back(static_cast<char>(0xC0 | (byte >> 6)));
        kept.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
    return kept;
}

Provenance::Provenance(const SweepOptions& sweepOptions, std::vector<std::string> commandLine,
                       std::string programName, std::string workers)
    : options(sweepOptions), command(std::move(commandLine)),
      program(std::move(programName)), workerText(std::move(workers)),
      started(std::chrono::system_clock::now()) {}

SweepRecord Provenance::record(const std::string& file, const std::string& content,
                               const OutcomeTally& tally, SweepState state) const {
    using Json = SweepRecord;
    const auto text = [](std::string_view value) { return Json(keepEveryByte(value)); };
    const auto texts = [&](const std::vector<std::string>& values) {
        Json array = Json::array();
        for (const std::string& value : values)
            array.push_back(text(value));
        return array;
    };
    const RunPlan& plan = options.plan;
    Json varied = Json::array();
    for (const VariedKey& key : plan.varied())
        varied.push_back(
            {{"key", text(key.key)}, {"values", text(key.written)}, {"count", key.values.size()}});
    Json fields;
    fields["program"] = text(program);
    fields["version"] = LURKFIELD_VERSION;
    fields["command_line"] = texts(command);
    fields["working_directory"] = text(currentFolder());
    fields["host"] = text(hostName());
    fields["file"] = text(file);
    fields["content"] = content;
    fields["settings_file"] = text(options.configFile);
    std::string_view settings;
    if (options.settingsText)
        settings = *options.settingsText;
    fields["settings_text"] = text(settings.substr(0, keptSettingsBytes));
    fields["settings_text_cut"] = settings.size() > keptSettingsBytes;
    std::vector<std::string> lines;
    for (const SettingLine& line : options.settings)
        lines.push_back(line.asFileLine());
    fields["settings_lines_added"] = texts(lines);
    fields["varied"] = varied;
    fields["reps"] = plan.reps();
    fields["runs"] = plan.runs();
    fields["shard"] = std::to_string(options.shardIndex) + "/" + std::to_string(options.shardCount);
    fields["runs_in_shard"] = options.sequence().size();
    fields["turns"] = options.turns;
    fields["every"] = options.every;
    fields["seed_rule"] = "run r is seeded with srand(" + std::to_string(plan.firstSeed()) +
                          " + r); run = design point x reps + rep";
    fields["first_seed"] = plan.firstSeed();
    fields["workers"] = workerText;
    Json sessions = earlier;
    sessions.push_back({{"started", utcTime(started)},
                        {"ended", state == SweepState::Running
                                      ? Json(nullptr)
                                      : Json(utcTime(std::chrono::system_clock::now()))},
                        {"state", stateName(state)},
                        {"workers", workerText}});
    fields["started"] = sessions.front()["started"];
    fields["ended"] = sessions.back()["ended"];
    fields["state"] = stateName(state);
    fields["runs_played"] = tally.played;
    fields["runs_refused"] = tally.refused;
    fields["runs_out_of_memory"] = tally.outOfMemory;
    fields["runs_failed"] = tally.failed;
    fields["peak_memory_kilobytes"] = peakKilobytes();
    fields["sessions"] = sessions;
    return fields;
}

std::string Provenance::document(const std::string& file, const std::string& content,
                                 const OutcomeTally& tally, SweepState state) const {
    return record(file, content, tally, state).dump(2) + "\n";
}

std::string Provenance::writeBeside(const std::string& file, const std::string& content,
                                    const OutcomeTally& tally, SweepState state) const {
    return replaceFile(file + ".json", document(file, content, tally, state));
}
