#include "tools/sweep/record/RecordFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/sweep/output/ReplacedFile.h"

namespace {

// A record is a few kilobytes and its settings text at most 2 MiB as JSON: a
// file far larger than that is not one.
constexpr std::uintmax_t largestRecord = 16 * 1024 * 1024;

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
    std::optional<SweepRecord> record = fromJson(text);
    if (!record)
        problem = name + " is not a record that lurkfield-sweep wrote";
    return record;
}

std::string writeRecordBeside(const std::string& file, const SweepRecord& record) {
    return replaceFile(file + ".json", toJson(record));
}
