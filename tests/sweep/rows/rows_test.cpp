// The sweep's rows: written as CSV, read back by the names of their columns.
#include <gtest/gtest.h>

#include "tools/sweep/rows/Columns.h"
#include "tools/sweep/rows/RowReader.h"
#include "tools/sweep/rows/RowWriter.h"

namespace {

const std::vector<std::string> keys = {"predator.sight", "a,\"b\""};

template <class Row>
std::optional<Row> readBack(const std::string& header, const std::string& record) {
    const auto reader = RowReader<Row>::of(keys, header);
    return reader ? reader->read(record) : std::nullopt;
}

} // namespace

TEST(Rows, ReadBackWhatTheWriterWrote) {
    const TableRow turn = {{7, 1, 4294967295u, {-2147483648, 3}}, 40, {1, 2, 3}};
    const SummaryRow played =
        SummaryRow::of(turn, Census{5, 60, 6}, Census{4, 0, 5}, {RunOutcome::Played, 40, 12, ""});
    const SummaryRow refused = SummaryRow::of({8, 2, 9, {0, 0}}, std::nullopt, std::nullopt,
                                              {RunOutcome::Refused, 0, {}, "no \"grid\",\nsay"});
    RowWriter writer;
    std::string table, first, second;
    writer.append(table, turn);
    writer.append(first, played);
    writer.append(second, refused);
    EXPECT_EQ(table, "7,1,4294967295,-2147483648,3,40,1,2,3\n");
    EXPECT_EQ(first, "7,1,4294967295,-2147483648,3,40,60,0,5,12,6,5,4,played,\n");
    EXPECT_EQ(second, "8,2,9,0,0,0,,,,,,,,refused,\"no \"\"grid\"\",\nsay\"\n");
    const std::string tableHeader = RowWriter::header(columnNames<TableRow>(keys));
    const std::string summaryHeader = RowWriter::header(columnNames<SummaryRow>(keys));
    EXPECT_EQ(tableHeader,
              "run,rep,seed,predator.sight,\"a,\"\"b\"\"\",turn,obstacles,prey,predators\n");
    EXPECT_EQ(readBack<TableRow>(tableHeader, table), turn);
    EXPECT_EQ(readBack<SummaryRow>(summaryHeader, first), played);
    EXPECT_EQ(readBack<SummaryRow>(summaryHeader, second), refused);
    EXPECT_EQ(readBack<RunFields>(summaryHeader, first), RunFields(turn));
    EXPECT_EQ(refused.end(), (RunEnd{RunOutcome::Refused, 0, {}, "no \"grid\",\nsay"}));
}

// Each column is found by its name, wherever it stands; a field that is not
// of its column's kind is refused.
TEST(Rows, FindTheirColumnsByNameAndRefuseFieldsOfAnotherKind) {
    EXPECT_EQ(readBack<TableRow>("prey,x,\"a,\"\"b\"\"\",turn,seed,rep,run,obstacles,predators,"
                                 "predator.sight",
                                 "2,junk,-4,5,9,0,3,1,8,6"),
              (TableRow{{3, 0, 9, {6, -4}}, 5, {1, 2, 8}}));
    EXPECT_FALSE(readBack<TableRow>("run,rep,seed,turn,obstacles,prey,predators", "0,0,1,0,1,2,3"));
    const std::string header = RowWriter::header(columnNames<SummaryRow>(keys));
    ASSERT_TRUE(readBack<SummaryRow>(header, "0,0,1,2,3,5,,,,,,,,refused,why"));
    for (const char* record :
         {"x,0,1,2,3,5,,,,,,,,refused,why", ",0,1,2,3,5,,,,,,,,refused,why",
          "-1,0,1,2,3,5,,,,,,,,refused,why", "0,0,1,2147483648,3,5,,,,,,,,refused,why",
          "0,0,1,2,3,5,1.5,,,,,,,refused,why", "0,0,1,2,3,5,,,,,,,,won,why",
          "0,0,1,2,3,5,,,,,,,,refused", "0,0,1,2,3,5,,,,,,,,refused,why,",
          "0,0,1,2,3,5,,,,,,,,refused,\"why"})
        EXPECT_FALSE(readBack<SummaryRow>(header, record)) << record;
}
