#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/TestWorld.h"
#include "tools/sweep/output/TableMerge.h"

namespace {

struct Merged {
    int status;
    std::string out;
    std::string err;
};

// Writes each table into a file of a fresh folder and merges them in the order given.
Merged merge(const std::vector<std::string>& tables) {
    const TempFile folder("");
    std::vector<std::string> files;
    for (std::size_t i = 0; i < tables.size(); ++i) {
        files.push_back((folder.folder() / ("part" + std::to_string(i) + ".csv")).string());
        std::ofstream(files.back(), std::ios::binary) << tables[i];
    }
    std::ostringstream out, err;
    const int status = mergeTables(files, out, err);
    return {status, out.str(), err.str()};
}

const std::string header = "run,rep,seed,k,turn,obstacles,prey,predators\n";

} // namespace

TEST(TableMerge, JoinsShardsGivenInAnyOrderIntoRunOrder) {
    const std::string first = header + "0,0,1,5,0,1,2,3\n0,0,1,5,1,1,2,3\n3,1,4,6,0,1,2,3\n";
    const std::string second = header + "1,1,2,5,0,1,1,1\n4,0,5,7,0,1,1,1\n";
    const std::string third = header + "2,0,3,6,0,9,9,9\n";
    const Merged merged = merge({third, first, second});
    EXPECT_EQ(merged.status, 0) << merged.err;
    EXPECT_EQ(merged.out, header + "0,0,1,5,0,1,2,3\n0,0,1,5,1,1,2,3\n1,1,2,5,0,1,1,1\n"
                                   "2,0,3,6,0,9,9,9\n3,1,4,6,0,1,2,3\n4,0,5,7,0,1,1,1\n");
    EXPECT_EQ(merge({header}).out, header) << "an empty shard is a table too";
}

TEST(TableMerge, KeepsRecordsWhoseQuotedFieldsHoldLineFeeds) {
    const std::string summaryHeader = "run,rep,seed,outcome,message\n";
    const Merged merged = merge({summaryHeader + "1,0,2,refused,\"no\ngrid\"\n",
                                 summaryHeader + "0,0,1,played,\n2,0,3,played,\n"});
    EXPECT_EQ(merged.status, 0) << merged.err;
    EXPECT_EQ(merged.out,
              summaryHeader + "0,0,1,played,\n1,0,2,refused,\"no\ngrid\"\n2,0,3,played,\n");
}

TEST(TableMerge, WritesNothingWhenTheFilesAreNotTheShardsOfOneSweep) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{header + "0,0,1,5,0,1,2,3\n", "run,rep,seed,turn,obstacles,prey,predators\n"},
         "has other columns than"},
        {{header + "0,0,1,5,0,1,2,3\n1,1,2,5,0,1"}, "ends in the middle of a row"},
        {{header + "0,0,1,5,0,1,2,3\n", header + "0,0,1,5,0,1,2,3\n"},
         "run 0 is in more than one file"},
        {{header + "2,0,1,5,0,1,2,3\n1,0,1,5,0,1,2,3\n"}, "lists run 1 after run 2"},
        {{"turn,prey\n1,2\n"}, "is not a table of lurkfield-sweep"},
        {{header + "x,0,1\n"}, "has a row that does not begin with its run"},
        {{""}, "cannot read a table from"},
    };
    for (const auto& [tables, problem] : cases) {
        const Merged merged = merge(tables);
        EXPECT_EQ(merged.status, 1) << problem;
        EXPECT_EQ(merged.out, "") << problem;
        EXPECT_NE(merged.err.find(problem), std::string::npos) << merged.err;
    }
    std::ostringstream out, err;
    EXPECT_EQ(mergeTables({"/nonexistent/table.csv"}, out, err), 1);
}
