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

// Splits one record, without its line feed, into its fields, reusing the
// strings `fields` holds; false when the quotes are not closed.
bool split(std::string_view record, std::vector<std::string>& fields);

// Field `index` of a record (without its line feed) as it stands there,
// quotes and all, when the record has `count` fields; nothing otherwise.
std::optional<std::string_view> rawField(std::string_view record, std::size_t index,
                                         std::size_t count);

// Whether a record read so far ends inside a quoted field, so that the line
// feed that ended the line belongs to the field.
bool insideQuotes(std::string_view partialRecord);

} // namespace csv
