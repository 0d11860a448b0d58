#include "tools/sweep/rows/RowWriter.h"

#include "tools/sweep/rows/Columns.h"
#include "tools/sweep/rows/Csv.h"

namespace {

void appendCell(std::string& record, const Cell& cell) {
    if (const auto* count = std::get_if<std::uint64_t>(&cell))
        csv::appendNumber(record, *count);
    else if (const auto* value = std::get_if<std::int64_t>(&cell))
        csv::appendNumber(record, *value);
    else if (const auto* text = std::get_if<std::string>(&cell))
        csv::appendField(record, *text);
}

} // namespace

std::string RowWriter::header(const std::vector<std::string>& names) {
    return csv::header(names);
}

void RowWriter::append(std::string& records, const TableRow& row) {
    appendRow(records, row);
}

void RowWriter::append(std::string& records, const SummaryRow& row) {
    appendRow(records, row);
}

template <class Row>
void RowWriter::appendRow(std::string& records, const Row& row) {
    const RunFields& run = row;
    if (!lastRun || *lastRun != run) {
        lastRunText.clear();
        for (const auto& column : columns::leading) {
            appendCell(lastRunText, column.get(run));
            lastRunText.push_back(',');
        }
        for (const std::int32_t value : run.values) {
            csv::appendNumber(lastRunText, std::int64_t{value});
            lastRunText.push_back(',');
        }
        lastRun = run;
    }
    records += lastRunText;
    const char* separator = "";
    for (const auto& column : columns::own<Row>) {
        records += separator;
        appendCell(records, column.get(row));
        separator = ",";
    }
    records.push_back('\n');
}
