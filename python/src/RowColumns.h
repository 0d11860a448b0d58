#pragma once
// The rows of a sweep's table or summary kept as columns, for numpy and pandas:
// every column of the file, named and ordered as rows/Columns.h names and
// orders them, each holding its cells by its kind: counts and varied values as
// 64-bit integers, figures with a mark where one does not exist, text as text.
// A table of a World's own run keeps the table's own columns alone.
#include <pybind11/pybind11.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/sweep/rows/Columns.h"

template <class Row> class RowColumns {
public:
    // The columns of a file of a sweep with these varied keys; with
    // `runColumns` false, the row's own columns alone.
    explicit RowColumns(const std::vector<std::string>& variedKeys, bool runColumns = true);

    void add(const Row& row);
    std::size_t rows() const { return count; }

    // Every column as (name, values, missing): values a numpy int64 array, with
    // missing a numpy bool array for a column of figures (None otherwise), or a
    // list of str for text. Needs the GIL.
    pybind11::list columns() const;

private:
    struct Kept {
        std::string name;
        ColumnKind kind;
        std::vector<std::int64_t> numbers;
        std::vector<bool> missing;
        std::vector<std::string> texts;

        void add(const Cell& cell);
    };

    bool runColumns;
    std::size_t valueCount;
    std::vector<Kept> kept;
    std::size_t count = 0;
};
