#pragma once
// The columns of a sweep's two files, named and ordered here for the sweep's
// CSV writer and reader (RowWriter, RowReader) and for whoever hands rows on
// as values (columnNames, then each column's get: columns::leading, the row's
// values, columns::own<Row>). Every row begins with its run's columns
// (columns::leading), then one column per varied key, named as the key and in
// the keys' order; the table's or the summary's own columns follow
// (columns::table, columns::summary; what each field means: TableRow.h,
// SummaryRow.h). Each column gives its field of a row as a Cell and sets it
// from one. A varied key may not take one of these names.
#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "tools/sweep/rows/SummaryRow.h"
#include "tools/sweep/rows/TableRow.h"

// One field of a row as a value: nothing (a figure that does not exist), a
// count, a varied key's value, or text (an outcome, a message).
using Cell = std::variant<std::monostate, std::uint64_t, std::int64_t, std::string>;

// What a column holds: a count (Cell's uint64), a figure that may not exist (a
// count or nothing), a varied key's value (int64, within 32 bits), or text.
enum class ColumnKind { Count, Figure, Value, Text };

template <class Row>
struct Column {
    std::string_view name;
    ColumnKind kind;
    Cell (*get)(const Row& row);
    // Sets the row's field from a cell of the column's kind; false when the
    // cell is none of the field's values (a word that names no outcome).
    bool (*set)(Row& row, const Cell& cell);
};

namespace columns {

template <class Row, std::uint64_t Row::*field>
constexpr Column<Row> count(std::string_view name) {
    return {name, ColumnKind::Count, [](const Row& row) -> Cell { return row.*field; },
            [](Row& row, const Cell& cell) {
                const auto* number = std::get_if<std::uint64_t>(&cell);
                if (number)
                    row.*field = *number;
                return number != nullptr;
            }};
}

template <std::uint64_t Census::*field>
constexpr Column<TableRow> census(std::string_view name) {
    return {name, ColumnKind::Count, [](const TableRow& row) -> Cell { return row.census.*field; },
            [](TableRow& row, const Cell& cell) {
                const auto* number = std::get_if<std::uint64_t>(&cell);
                if (number)
                    row.census.*field = *number;
                return number != nullptr;
            }};
}

template <std::optional<std::uint64_t> SummaryRow::*field>
constexpr Column<SummaryRow> figure(std::string_view name) {
    return {name, ColumnKind::Figure,
            [](const SummaryRow& row) -> Cell {
                if (row.*field)
                    return *(row.*field);
                return std::monostate();
            },
            [](SummaryRow& row, const Cell& cell) {
                const auto* number = std::get_if<std::uint64_t>(&cell);
                row.*field = number ? std::optional(*number) : std::nullopt;
                return number || std::holds_alternative<std::monostate>(cell);
            }};
}

inline constexpr Column<SummaryRow> outcome = {
    "outcome", ColumnKind::Text,
    [](const SummaryRow& row) -> Cell { return std::string(outcomeName(row.outcome)); },
    [](SummaryRow& row, const Cell& cell) {
        const auto* word = std::get_if<std::string>(&cell);
        const std::optional<RunOutcome> named = word ? outcomeNamed(*word) : std::nullopt;
        if (named)
            row.outcome = *named;
        return named.has_value();
    }};

inline constexpr Column<SummaryRow> message = {
    "message", ColumnKind::Text, [](const SummaryRow& row) -> Cell { return row.message; },
    [](SummaryRow& row, const Cell& cell) {
        const auto* text = std::get_if<std::string>(&cell);
        if (text)
            row.message = *text;
        return text != nullptr;
    }};

// The columns every row begins with; the varied keys follow them.
inline constexpr std::array<Column<RunFields>, 3> leading = {
    count<RunFields, &RunFields::run>("run"), count<RunFields, &RunFields::rep>("rep"),
    count<RunFields, &RunFields::seed>("seed")};

inline constexpr std::array<Column<TableRow>, 4> table = {
    count<TableRow, &TableRow::turn>("turn"), census<&Census::obstacles>("obstacles"),
    census<&Census::prey>("prey"), census<&Census::predators>("predators")};

inline constexpr std::array<Column<SummaryRow>, 10> summary = {
    count<SummaryRow, &SummaryRow::turns>("turns"),
    figure<&SummaryRow::preyStart>("prey_start"),
    figure<&SummaryRow::preyEnd>("prey_end"),
    figure<&SummaryRow::predatorsEnd>("predators_end"),
    figure<&SummaryRow::preyGoneTurn>("prey_gone_turn"),
    figure<&SummaryRow::predatorsStart>("predators_start"),
    figure<&SummaryRow::obstaclesStart>("obstacles_start"),
    figure<&SummaryRow::obstaclesEnd>("obstacles_end"),
    outcome,
    message};

// A row's own columns, after the varied keys: none for the run's fields alone.
template <class Row>
inline constexpr std::span<const Column<Row>> own = {};
template <>
inline constexpr std::span<const Column<TableRow>> own<TableRow> = table;
template <>
inline constexpr std::span<const Column<SummaryRow>> own<SummaryRow> = summary;

} // namespace columns

// The names of every column of a file of `Row`s, in order.
template <class Row>
std::vector<std::string> columnNames(const std::vector<std::string>& variedKeys) {
    std::vector<std::string> names;
    for (const auto& column : columns::leading)
        names.emplace_back(column.name);
    names.insert(names.end(), variedKeys.begin(), variedKeys.end());
    for (const auto& column : columns::own<Row>)
        names.emplace_back(column.name);
    return names;
}

inline bool isColumnName(std::string_view name) {
    const auto in = [&](const auto& list) {
        return std::any_of(list.begin(), list.end(),
                           [&](const auto& column) { return column.name == name; });
    };
    return in(columns::leading) || in(columns::table) || in(columns::summary);
}
