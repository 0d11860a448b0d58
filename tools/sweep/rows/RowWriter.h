#pragma once
// Rows written as the sweep's CSV records (Csv.h): the fields of every column
// of Columns.h in its order, each as its cell says, a record ended by a line
// feed. The header record is written from the same columns' names.
#include <optional>
#include <string>
#include <vector>

#include "tools/sweep/rows/SummaryRow.h"
#include "tools/sweep/rows/TableRow.h"

class RowWriter {
public:
    // The header record of a file of these columns (columnNames), with its line feed.
    static std::string header(const std::vector<std::string>& names);

    // Appends the row's record, with its line feed.
    void append(std::string& records, const TableRow& row);
    void append(std::string& records, const SummaryRow& row);

private:
    template <class Row>
    void appendRow(std::string& records, const Row& row);

    // A run's rows all begin with the same fields: their text is made once per run.
    std::optional<RunFields> lastRun;
    std::string lastRunText;
};
