#pragma once
// Rows read back from the sweep's CSV records: each column of Columns.h is
// found by its name in the file's header record, so the reader depends on no
// column's position, and every field is read as its column's kind. A file
// may hold more columns than a reader asks for (RowReader<RunFields> reads the
// run's fields of a table or a summary alike).
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/sweep/rows/SummaryRow.h"
#include "tools/sweep/rows/TableRow.h"

template <class Row>
class RowReader {
public:
    // The reader of a file whose header record (its line feed or not) is
    // `header`, for the columns columnNames<Row>(variedKeys); nothing when the
    // header is not a record or lacks one of them.
    static std::optional<RowReader> of(const std::vector<std::string>& variedKeys,
                                       std::string_view header);

    // The row of one record (its line feed or not); nothing when it has not as
    // many fields as the header, or a field is not a value of its column. One
    // reader reads one record at a time.
    std::optional<Row> read(std::string_view record) const;
    // The run of one record, its other fields left unread (merging long
    // tables asks for nothing else); nothing as above.
    std::optional<std::uint64_t> run(std::string_view record) const;

private:
    RowReader() = default;

    std::size_t fieldCount = 0;
    // The fields of the record being read, kept from record to record so that
    // reading a long file does not allocate them anew for every row.
    mutable std::vector<std::string> fields;
    // Where each column stands in the file: the run's, the varied keys', the row's own.
    std::vector<std::size_t> leadAt;
    std::vector<std::size_t> valueAt;
    std::vector<std::size_t> ownAt;
};

extern template class RowReader<RunFields>;
extern template class RowReader<TableRow>;
extern template class RowReader<SummaryRow>;
