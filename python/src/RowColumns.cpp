#include "RowColumns.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

namespace py = pybind11;

template <class Row>
RowColumns<Row>::RowColumns(const std::vector<std::string>& variedKeys, bool withRunColumns)
    : runColumns(withRunColumns), valueCount(withRunColumns ? variedKeys.size() : 0) {
    if (runColumns) {
        for (const auto& column : columns::leading)
            kept.push_back({std::string(column.name), column.kind, {}, {}, {}});
        for (const std::string& key : variedKeys)
            kept.push_back({key, ColumnKind::Value, {}, {}, {}});
    }
    for (const auto& column : columns::own<Row>)
        kept.push_back({std::string(column.name), column.kind, {}, {}, {}});
}

template <class Row> void RowColumns<Row>::add(const Row& row) {
    auto next = kept.begin();
    if (runColumns) {
        for (const auto& column : columns::leading)
            (next++)->add(column.get(row));
        for (std::size_t value = 0; value < valueCount; ++value)
            (next++)->add(Cell(std::int64_t{row.values[value]}));
    }
    for (const auto& column : columns::own<Row>)
        (next++)->add(column.get(row));
    ++count;
}

template <class Row> void RowColumns<Row>::Kept::add(const Cell& cell) {
    if (kind == ColumnKind::Text) {
        texts.push_back(std::get<std::string>(cell));
        return;
    }
    const auto* count = std::get_if<std::uint64_t>(&cell);
    const auto* value = std::get_if<std::int64_t>(&cell);
    numbers.push_back(count ? static_cast<std::int64_t>(*count) : value ? *value : 0);
    if (kind == ColumnKind::Figure)
        missing.push_back(!count && !value);
}

template <class Row> py::list RowColumns<Row>::columns() const {
    py::list columns;
    for (const Kept& column : kept) {
        if (column.kind == ColumnKind::Text) {
            columns.append(py::make_tuple(column.name, py::cast(column.texts), py::none()));
            continue;
        }
        py::array_t<std::int64_t> numbers(static_cast<py::ssize_t>(column.numbers.size()),
                                          column.numbers.data());
        py::object missing = py::none();
        if (column.kind == ColumnKind::Figure) {
            py::array_t<bool> marks(static_cast<py::ssize_t>(column.missing.size()));
            bool* mark = marks.mutable_data();
            for (const bool absent : column.missing)
                *mark++ = absent;
            missing = marks;
        }
        columns.append(py::make_tuple(column.name, numbers, missing));
    }
    return columns;
}

template class RowColumns<TableRow>;
template class RowColumns<SummaryRow>;
