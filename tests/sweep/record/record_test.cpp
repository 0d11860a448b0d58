// The record of how a sweep's file was made: its JSON text read back, and
// whether two records are of one sweep.
#include <gtest/gtest.h>

#include "tools/sweep/SweepOptions.h"
#include "tools/sweep/record/RecordText.h"
#include "tools/sweep/record/SweepRecord.h"

namespace {

SweepRecord recordOf(const std::vector<std::string>& args) {
    SweepOptions options = readSweepOptions(args, SweepProgram::Forked);
    options.settingsText = std::make_shared<const std::string>("grid.x 5\n");
    SweepRecord record = SweepRecord::of(options);
    record.program = "lurkfield-sweep";
    return record;
}

} // namespace

TEST(SweepRecord, ReadsBackTheJsonTextItWrote) {
    SweepRecord record = recordOf({"--set", "prey.number=7", "--vary", "predator.sight=0:3:6",
                                   "--seed", "4", "--shard", "2/3"});
    record.commandLine = {"lurkfield-sweep", "\xff"};
    record.setSessions(
        {{"2026-01-01T00:00:00Z", "2026-01-01T00:01:00Z", SweepState::Interrupted, ""},
         {"2026-01-02T00:00:00Z", std::nullopt, SweepState::Running, "w"}});
    record.tally = {1, 2, 3, 4};
    const std::string text = toJson(record);
    for (const char* field :
         {"\"settings_lines_added\": [\n    \"prey.number 7\"\n  ]", "\"shard\": \"2/3\",",
          "\"key\": \"predator.sight\",\n      \"values\": \"0:3:6\",\n      \"count\": 3",
          "\"seed_rule\": \"run r is seeded with srand(4 + r); run = design point x reps + rep\"",
          "\"started\": \"2026-01-01T00:00:00Z\",\n  \"ended\": null,\n  \"state\": \"running\"",
          "\"runs_failed\": 4,", "\"\xc3\xbf\""})
        EXPECT_NE(text.find(field), std::string::npos) << field;
    record.commandLine[1] = keepEveryByte("\xff");
    EXPECT_EQ(fromJson(text), record);
    // A joined file's record lists its parts instead of sessions.
    record.sessions.reset();
    record.merged = "2026-01-03T00:00:00Z";
    record.parts = {{"p.csv", {2, 3}, "host", "2026-01-02T00:00:00Z", std::nullopt, "w"}};
    EXPECT_EQ(toJson(record).find("sessions"), std::string::npos);
    EXPECT_EQ(fromJson(toJson(record)), record);
}

TEST(SweepRecord, IsNotReadFromTextThatLurkfieldSweepDidNotWrite) {
    const std::string whole = toJson(recordOf({}));
    ASSERT_TRUE(fromJson(whole));
    const auto changed = [&](const std::string& from, const std::string& to) {
        return std::string(whole).replace(whole.find(from), from.size(), to);
    };
    for (const std::string& text :
         {std::string("[]"), whole.substr(0, 40), changed("\"lurkfield-sweep", "\"x"),
          changed("\"turns\"", "\"rounds\""), changed("\"reps\": 1", "\"reps\": \"1\""),
          changed("\"1/1\"", "\"0/1\""), changed("\"running\"", "\"finished\"")})
        EXPECT_FALSE(fromJson(text)) << text;
}

TEST(SweepRecord, TellsTheFirstDifferenceOfTwoSweepsAsTheUserWouldSayIt) {
    const SweepRecord ours = recordOf({"--reps", "3", "--turns", "50"});
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--reps", "3", "--turns", "50", "--jobs", "2", "--shard", "1/2"}, ""},
        {{"--reps", "2", "--turns", "40", "--seed", "7"}, "--reps 2, not 3"},
        {{"--reps", "3", "--turns", "40", "--seed", "7"}, "--seed 7, not 1"},
        {{"--reps", "3", "--turns", "50", "--set", "a=1"}, "the --set lines [\"a 1\"], not []"},
        {{"--reps", "3", "--turns", "50", "--vary", "predator.sight=0:1:10", "--vary", "b=1,2"},
         "the --vary keys and values differ"},
    };
    for (const auto& [args, difference] : cases)
        EXPECT_EQ(sweepDifference(recordOf(args), ours), difference);
    SweepRecord theirs = recordOf({"--reps", "3", "--turns", "50", "--shard", "2/2"});
    EXPECT_EQ(resumeDifference(theirs, ours), "shard 2/2, not 1/1");
    theirs.settingsText = "grid.x 6\n";
    EXPECT_EQ(sweepDifference(theirs, ours), "the settings text differs");
    theirs.content = FileContent::Summary;
    EXPECT_EQ(resumeDifference(theirs, ours), "it is a summary, not a table");
}

TEST(RecordText, KeepsEveryByteOfTextThatIsNotUtf8AsTheCodePointOfItsNumber) {
    EXPECT_EQ(keepEveryByte("gr\xc3\xbc\xc3\x9f \xe2\x82\xac \xf0\x9f\x90\xba"),
              "gr\xc3\xbc\xc3\x9f \xe2\x82\xac \xf0\x9f\x90\xba");
    // A lone continuation byte, a cut sequence, an overlong form, a surrogate.
    EXPECT_EQ(keepEveryByte("\x80|\xe2\x82|\xc0\xaf|\xed\xa0\x80"),
              "\u0080|\u00e2\u0082|\u00c0\u00af|\u00ed\u00a0\u0080");
    EXPECT_EQ(keepEveryByte(std::string("nul\0!", 5)), std::string("nul\0!", 5));
}
