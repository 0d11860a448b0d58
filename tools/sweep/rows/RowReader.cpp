#include "tools/sweep/rows/RowReader.h"

#include <algorithm>
#include <charconv>

#include "tools/sweep/rows/Columns.h"
#include "tools/sweep/rows/Csv.h"

namespace {

std::string_view withoutLineFeed(std::string_view record) {
    if (record.ends_with('\n'))
        record.remove_suffix(1);
    return record;
}

template <class Number>
std::optional<Number> numberIn(std::string_view field) {
    Number number = 0;
    const char* const end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, number);
    if (field.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

// The field as a cell of the column's kind; nothing when it is not one.
std::optional<Cell> cellIn(std::string_view field, ColumnKind kind) {
    switch (kind) {
    case ColumnKind::Figure:
        if (field.empty())
            return Cell();
        [[fallthrough]];
    case ColumnKind::Count:
        if (const auto count = numberIn<std::uint64_t>(field))
            return Cell(*count);
        return std::nullopt;
    case ColumnKind::Value:
        if (const auto value = numberIn<std::int32_t>(field))
            return Cell(std::int64_t{*value});
        return std::nullopt;
    case ColumnKind::Text:
        break;
    }
    return Cell(std::string(field));
}

template <class Row>
bool setFrom(Row& row, const Column<Row>& column, std::string_view field) {
    const std::optional<Cell> cell = cellIn(field, column.kind);
    return cell && column.set(row, *cell);
}

} // namespace

template <class Row>
std::optional<RowReader<Row>> RowReader<Row>::of(const std::vector<std::string>& variedKeys,
                                                 std::string_view header) {
    std::vector<std::string> names;
    if (!csv::split(withoutLineFeed(header), names))
        return std::nullopt;
    RowReader reader;
    reader.fieldCount = names.size();
    const auto place = [&](std::string_view name, std::vector<std::size_t>& at) {
        const auto found = std::find(names.begin(), names.end(), name);
        at.push_back(static_cast<std::size_t>(found - names.begin()));
        return found != names.end();
    };
    for (const auto& column : columns::leading) {
        if (!place(column.name, reader.leadAt))
            return std::nullopt;
    }
    for (const std::string& key : variedKeys) {
        if (!place(key, reader.valueAt))
            return std::nullopt;
    }
    for (const auto& column : columns::own<Row>) {
        if (!place(column.name, reader.ownAt))
            return std::nullopt;
    }
    return reader;
}

template <class Row>
std::optional<Row> RowReader<Row>::read(std::string_view record) const {
    if (!csv::split(withoutLineFeed(record), fields) || fields.size() != fieldCount)
        return std::nullopt;
    Row row;
    RunFields& run = row;
    for (std::size_t i = 0; i < leadAt.size(); ++i) {
        if (!setFrom(run, columns::leading[i], fields[leadAt[i]]))
            return std::nullopt;
    }
    for (const std::size_t at : valueAt) {
        const std::optional<Cell> value = cellIn(fields[at], ColumnKind::Value);
        if (!value)
            return std::nullopt;
        run.values.push_back(static_cast<std::int32_t>(std::get<std::int64_t>(*value)));
    }
    for (std::size_t i = 0; i < ownAt.size(); ++i) {
        if (!setFrom(row, columns::own<Row>[i], fields[ownAt[i]]))
            return std::nullopt;
    }
    return row;
}

template <class Row>
std::optional<std::uint64_t> RowReader<Row>::run(std::string_view record) const {
    // The run's column is the first of the leading ones.
    const auto field = csv::rawField(withoutLineFeed(record), leadAt[0], fieldCount);
    return field ? numberIn<std::uint64_t>(*field) : std::nullopt;
}

template class RowReader<RunFields>;
template class RowReader<TableRow>;
template class RowReader<SummaryRow>;
