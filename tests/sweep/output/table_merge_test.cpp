#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/ScratchFolder.h"
#include "support/TestWorld.h"
#include <nlohmann/json.hpp>

#include "tools/sweep/output/TableMerge.h"

namespace {

using Json = nlohmann::ordered_json;

struct Merged {
    int status;
    std::string out;
    std::string err;
};

// One shard's file and what its record says beyond a finished shard K/N of
// the sweep every part shares.
struct Part {
    std::string table;
    Json changes = Json::object();
};

Json recordOf(std::size_t index, std::size_t count, const Json& changes) {
    Json record = {{"program", "lurkfield-sweep"},
                   {"version", "0.2.0"},
                   {"content", "table"},
                   {"settings_text", "grid.x 5\n"},
                   {"settings_text_cut", false},
                   {"settings_lines_added", Json::array()},
                   {"varied", Json::array()},
                   {"reps", 2},
                   {"first_seed", 1},
                   {"turns", 1},
                   {"every", 1},
                   {"runs", 6},
                   {"shard", std::to_string(index + 1) + "/" + std::to_string(count)},
                   {"state", "complete"},
                   {"started", "2026-01-0" + std::to_string(index + 1) + "T00:00:00Z"},
                   {"ended", "2026-02-0" + std::to_string(index + 1) + "T00:00:00Z"},
                   {"runs_played", 2}};
    record.merge_patch(changes);
    return record;
}

// Writes each part and its record into the folder and merges them in the
// order given, into `output` when it is named.
Merged mergeIn(const ScratchFolder& folder, const std::vector<Part>& parts,
               const std::string& output) {
    MergeRequest request;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string name = "part" + std::to_string(i) + ".csv";
        request.parts.push_back(folder.write(name, parts[i].table).string());
        if (!parts[i].changes.is_null())
            folder.write(name + ".json", recordOf(i, parts.size(), parts[i].changes).dump());
    }
    if (!output.empty())
        request.output = (folder.path() / output).string();
    std::ostringstream out, err;
    const int status = mergeParts(request, out, err);
    return {status, out.str(), err.str()};
}

Merged merge(const std::vector<Part>& parts) {
    return mergeIn(ScratchFolder(), parts, "");
}

std::string contentOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::string header = "run,rep,seed,k,turn,obstacles,prey,predators\n";

} // namespace

TEST(TableMerge, JoinsShardsGivenInAnyOrderIntoRunOrder) {
    const std::string first = header + "0,0,1,5,0,1,2,3\n0,0,1,5,1,1,2,3\n3,1,4,6,0,1,2,3\n";
    const std::string second = header + "1,1,2,5,0,1,1,1\n4,0,5,7,0,1,1,1\n";
    const std::string third = header + "2,0,3,6,0,9,9,9\n";
    const Merged merged = merge(
        {{third, {{"shard", "3/3"}}}, {first, {{"shard", "1/3"}}}, {second, {{"shard", "2/3"}}}});
    EXPECT_EQ(merged.status, 0) << merged.err;
    EXPECT_EQ(merged.out, header + "0,0,1,5,0,1,2,3\n0,0,1,5,1,1,2,3\n1,1,2,5,0,1,1,1\n"
                                   "2,0,3,6,0,9,9,9\n3,1,4,6,0,1,2,3\n4,0,5,7,0,1,1,1\n");
    EXPECT_EQ(merge({{header}}).out, header) << "an empty shard is a table too";
    const std::string summary = "run,rep,seed,outcome,message\n";
    EXPECT_EQ(
        merge({{summary + "1,0,2,refused,\"no\ngrid\"\n"}, {summary + "0,0,1,played,\n"}}).out,
        summary + "0,0,1,played,\n1,0,2,refused,\"no\ngrid\"\n");
}

TEST(TableMerge, WritesTheJoinedFileWithARecordOfItsParts) {
    const ScratchFolder folder;
    const std::vector<Part> parts = {{header + "0,0,1,5,0,1,2,3\n"},
                                     {header + "1,1,2,5,0,1,1,1\n"}};
    const Merged merged = mergeIn(folder, parts, "all.csv");
    EXPECT_EQ(merged.status, 0) << merged.err;
    EXPECT_EQ(merged.out, "");
    const std::string joined = header + "0,0,1,5,0,1,2,3\n1,1,2,5,0,1,1,1\n";
    EXPECT_EQ(contentOf(folder.path() / "all.csv"), joined);
    const Json record = Json::parse(contentOf(folder.path() / "all.csv.json"));
    EXPECT_EQ(record["shard"], "1/1");
    EXPECT_EQ(record["runs_played"], 4);
    EXPECT_EQ(record["turns"], 1);
    EXPECT_EQ(record["started"], "2026-01-01T00:00:00Z");
    EXPECT_EQ(record["ended"], "2026-02-02T00:00:00Z");
    ASSERT_EQ(record["parts"].size(), 2u);
    EXPECT_EQ(record["parts"][1]["shard"], "2/2");

    // A merge that fails leaves the file it would have written as it was.
    EXPECT_EQ(mergeIn(folder, {parts[0], {parts[1].table, {{"turns", 2}}}}, "all.csv").status, 1);
    EXPECT_EQ(contentOf(folder.path() / "all.csv"), joined);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "all.csv.tmp"));
}

TEST(TableMerge, WritesNothingWhenTheFilesAreNotTheFinishedShardsOfOneSweep) {
    const std::string row = header + "0,0,1,5,0,1,2,3\n";
    const Json none;
    const std::pair<std::vector<Part>, std::string> cases[] = {
        {{{row}, {"run,rep,seed,turn,obstacles,prey,predators\n"}}, "has other columns than"},
        {{{header + "0,0,1,5,0,1,2,3\n1,1,2,5,0,1"}}, "ends in the middle of a row"},
        {{{row}, {row}}, "run 0 is in more than one file"},
        {{{header + "2,0,1,5,0,1,2,3\n1,0,1,5,0,1,2,3\n"}}, "lists run 1 after run 2"},
        {{{"turn,prey\n1,2\n"}}, "is not a table of lurkfield-sweep"},
        {{{header + "x,0,1\n"}}, "has a row that does not begin with its run"},
        {{{""}}, "cannot read a table from"},
        {{{row, none}}, "there is no record of how"},
        {{{row, {{"program", "other"}}}}, ".json is not a record that lurkfield-sweep wrote"},
        {{{row}, {row, {{"turns", 2}}}}, "is not of the same sweep as"},
        {{{row}, {row, {{"shard", "1/2"}}}}, "are both shard 1/2"},
        {{{row}, {row, {{"shard", "2/3"}}}}, "is shard 2/3, but"},
        {{{row, {{"shard", "1/2"}}}}, "shard 2/2 is missing"},
        {{{row, {{"state", "interrupted"}}}}, "did not finish (its record says 'interrupted')"},
        {{{row}, {row, {{"content", "summary"}}}}, "is a summary, not a table"},
    };
    for (const auto& [parts, problem] : cases) {
        const Merged merged = merge(parts);
        EXPECT_EQ(merged.status, 1) << problem;
        EXPECT_EQ(merged.out, "") << problem;
        EXPECT_NE(merged.err.find(problem), std::string::npos) << merged.err;
    }
    std::ostringstream out, err;
    EXPECT_EQ(mergeParts({{"/nonexistent/table.csv"}, {}, {}, {}}, out, err), 1);
}
