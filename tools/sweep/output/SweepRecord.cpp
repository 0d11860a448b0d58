#include "tools/sweep/output/SweepRecord.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// A record is a few kilobytes and its settings text at most 2 MiB as JSON: a
// file far larger than that is not one.
constexpr std::uintmax_t largestRecord = 16 * 1024 * 1024;

// What makes a sweep the sweep it is, each field with the words that name it
// and what is said when its values are too long to show.
struct IdentityField {
    const char* field;
    const char* words;
    const char* differs;
};
constexpr IdentityField identity[] = {
    {"version", "version", "the version differs"},
    {"settings_text", "the settings text", "the settings text differs"},
    {"settings_text_cut", "the settings text", "the settings text differs"},
    {"settings_lines_added", "the --set lines", "the --set lines differ"},
    {"varied", "the --vary keys and values", "the --vary keys and values differ"},
    {"reps", "--reps", "--reps differs"},
    {"first_seed", "--seed", "--seed differs"},
    {"turns", "--turns", "--turns differs"},
    {"every", "--every", "--every differs"},
};

// The fields a record must hold, beyond the identity, to be read at all.
bool wellFormed(const SweepRecord& record) {
    if (!record.is_object())
        return false;
    for (const IdentityField& field : identity) {
        if (!record.contains(field.field))
            return false;
    }
    for (const char* field : {"content", "shard", "state", "started"}) {
        if (!record.contains(field) || !record[field].is_string())
            return false;
    }
    const std::string program = record.value("program", "");
    return program.starts_with("lurkfield-sweep") && shardOf(record).second > 0;
}

// A value short enough to be shown in a message, as it stands in the record.
std::string shown(const SweepRecord& value) {
    return value.is_string() ? value.get<std::string>() : value.dump();
}

} // namespace

std::optional<SweepRecord> readRecordBeside(const std::string& file, std::string& problem) {
    const std::string name = file + ".json";
    std::ifstream in(name, std::ios::binary);
    std::error_code size;
    if (!in.is_open() || std::filesystem::file_size(name, size) > largestRecord || size) {
        problem = "there is no record of how " + file + " was made (" + name + ")";
        return std::nullopt;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    SweepRecord record = SweepRecord::parse(text, nullptr, false);
    if (record.is_discarded() || !wellFormed(record)) {
        problem = name + " is not a record that lurkfield-sweep wrote";
        return std::nullopt;
    }
    return record;
}

std::string sweepDifference(const SweepRecord& theirs, const SweepRecord& ours) {
    for (const IdentityField& field : identity) {
        const SweepRecord& their = theirs[field.field];
        const SweepRecord& our = ours[field.field];
        if (their == our)
            continue;
        const std::string a = shown(their), b = shown(our);
        if (field.field == std::string_view("settings_text") || a.size() + b.size() > 80)
            return field.differs;
        return std::string(field.words) + " " + a + ", not " + b;
    }
    return "";
}

std::pair<std::uint64_t, std::uint64_t> shardOf(const SweepRecord& record) {
    const std::string shard = record.value("shard", "");
    const std::size_t slash = shard.find('/');
    std::uint64_t index = 0, count = 0;
    const char* const end = shard.data() + shard.size();
    if (slash == std::string::npos ||
        std::from_chars(shard.data(), shard.data() + slash, index).ptr != shard.data() + slash ||
        std::from_chars(shard.data() + slash + 1, end, count).ptr != end || index == 0 ||
        index > count)
        return {0, 0};
    return {index, count};
}

SweepRecord sessionsOf(const SweepRecord& record) {
    if (record.contains("sessions") && record["sessions"].is_array())
        return record["sessions"];
    SweepRecord only = SweepRecord::object();
    for (const char* field : {"started", "ended", "state", "workers"}) {
        if (record.contains(field))
            only[field] = record[field];
    }
    return SweepRecord::array({only});
}
