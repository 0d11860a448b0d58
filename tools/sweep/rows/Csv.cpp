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

bool split(std::string_view record, std::vector<std::string>& fields) {
    std::size_t count = 0;
    const auto next = [&]() -> std::string& {
        if (count == fields.size())
            fields.emplace_back();
        fields[count].clear();
        return fields[count++];
    };
    std::string* field = &next();
    bool quoted = false;
    for (std::size_t i = 0; i < record.size(); ++i) {
        const char c = record[i];
        if (quoted && c == '"' && i + 1 < record.size() && record[i + 1] == '"') {
            field->push_back('"');
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            field = &next();
        } else {
            field->push_back(c);
        }
    }
    fields.resize(count);
    return !quoted;
}

std::optional<std::string_view> rawField(std::string_view record, std::size_t index,
                                         std::size_t count) {
    std::size_t field = 0, start = 0;
    std::string_view found;
    bool quoted = false;
    for (std::size_t i = 0; i <= record.size(); ++i) {
        if (i < record.size() && record[i] == '"')
            quoted = !quoted;
        if (i < record.size() && (record[i] != ',' || quoted))
            continue;
        if (field++ == index)
            found = record.substr(start, i - start);
        start = i + 1;
    }
    if (quoted || field != count || index >= count)
        return std::nullopt;
    return found;
}

bool insideQuotes(std::string_view partialRecord) {
    bool quoted = false;
    for (char c : partialRecord)
        quoted = c == '"' ? !quoted : quoted;
    return quoted;
}

} // namespace csv
