#pragma once
// The CSV of the sweep's tables (RFC 4180): fields separated by commas,
// records ended by a line feed, a field quoted only when it holds a comma, a
// double quote, a carriage return or a line feed, a quote inside doubled.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace csv {

// Appends the field, quoted when it needs to be.
void appendField(std::string& record, std::string_view field);
void appendNumber(std::string& record, std::uint64_t number);
void appendNumber(std::string& record, std::int64_t number);

// A header record from the column names (each quoted when it needs to be).
std::string header(const std::vector<std::string>& names);

// Splits one record, without its line feed, into its fields. Nothing when the
// quotes are not closed.
std::optional<std::vector<std::string>> fields(std::string_view record);

// Whether a record read so far ends inside a quoted field, so that the line
// feed that ended the line belongs to the field.
bool insideQuotes(std::string_view partialRecord);

} // namespace csv
