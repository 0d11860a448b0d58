#include "tools/sweep/rows/Csv.h"

#include <charconv>

namespace csv {

void appendField(std::string& record, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        record.append(field);
        return;
    }
    record.push_back('"');
    for (char c : field) {
        if (c == '"')
            record.push_back('"');
        record.push_back(c);
    }
    record.push_back('"');
}

void appendNumber(std::string& record, std::uint64_t number) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    record.append(digits, result.ptr);
}

void appendNumber(std::string& record, std::int64_t number) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    record.append(digits, result.ptr);
}

std::string header(const std::vector<std::string>& names) {
    std::string record;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            record.push_back(',');
        appendField(record, names[i]);
    }
    record.push_back('\n');
    return record;
}

std::optional<std::vector<std::string>> fields(std::string_view record) {
    std::vector<std::string> result(1);
    bool quoted = false;
    for (std::size_t i = 0; i < record.size(); ++i) {
        const char c = record[i];
        if (quoted && c == '"' && i + 1 < record.size() && record[i + 1] == '"') {
            result.back().push_back('"');
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            result.emplace_back();
        } else {
            result.back().push_back(c);
        }
    }
    if (quoted)
        return std::nullopt;
    return result;
}

bool insideQuotes(std::string_view partialRecord) {
    bool quoted = false;
    for (char c : partialRecord)
        quoted = c == '"' ? !quoted : quoted;
    return quoted;
}

} // namespace csv
