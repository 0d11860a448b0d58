#include <gtest/gtest.h>

#include "core/Config.h"
#include "support/TestWorld.h"

namespace {

Config loadText(const std::string& text) {
    const TempFile file(text);
    return Config::load(file.path());
}

} // namespace

TEST(SettingNumbers, ReadTheLeadingDecimalDigitsOnly) {
    EXPECT_EQ(parseSettingInt("12abc"), 12);
    EXPECT_EQ(parseSettingInt("3.7"), 3);
    EXPECT_EQ(parseSettingInt("007"), 7);
    EXPECT_EQ(parseSettingInt("0x10"), 0);
    EXPECT_EQ(parseSettingInt("+5"), 5);
    EXPECT_EQ(parseSettingInt("-42kg"), -42);
}

TEST(SettingNumbers, ReadAsZeroWithoutDigits) {
    EXPECT_EQ(parseSettingInt(""), 0);
    EXPECT_EQ(parseSettingInt("abc"), 0);
    EXPECT_EQ(parseSettingInt("-"), 0);
    EXPECT_EQ(parseSettingInt("+"), 0);
    EXPECT_EQ(parseSettingInt("--1"), 0);
    EXPECT_EQ(parseSettingInt("#5"), 0);
    EXPECT_EQ(parseSettingInt("1,000"), 1);
}

TEST(SettingNumbers, KeepToTheThirtyTwoBitRange) {
    EXPECT_EQ(parseSettingInt("2147483647"), 2147483647);
    EXPECT_EQ(parseSettingInt("2147483648"), 0);
    EXPECT_EQ(parseSettingInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(parseSettingInt("-2147483649"), 0);
    EXPECT_EQ(parseSettingInt("99999999999999999999"), 0);
    EXPECT_EQ(parseSettingInt("00000000000000000000042"), 42);
}

TEST(ConfigFile, MissingOrEmptyReadsEveryKeyAsZero) {
    const Config missing = Config::load("/nonexistent/folder/lurkfield.config");
    EXPECT_EQ(missing.getInt("grid.x"), 0);
    EXPECT_EQ(missing.getString("grid.x"), "");
    EXPECT_EQ(loadText("").getInt("grid.x"), 0);
}

TEST(ConfigFile, ADirectoryInPlaceOfTheFileReadsAsEmpty) {
    const TempFile file("");
    EXPECT_EQ(Config::load(file.folder().string()).getInt("grid.x"), 0);
}

TEST(ConfigFile, SplitsKeyAndValueOnAnyWhiteSpace) {
    const Config config = loadText("  grid.x \t 10\r\n\tgrid.y\v7 trailing words\nprey.number\f3");
    EXPECT_EQ(config.getInt("grid.x"), 10);
    EXPECT_EQ(config.getInt("grid.y"), 7);
    EXPECT_EQ(config.getInt("prey.number"), 3);
}

TEST(ConfigFile, SkipsLinesWithoutAValue) {
    const Config config = loadText("grid.x   \n\n   \ngrid.y=5\n");
    EXPECT_EQ(config.getString("grid.x"), "");
    EXPECT_EQ(config.getString("grid.y=5"), "");
    EXPECT_EQ(config.getInt("grid.y"), 0);
}

TEST(ConfigFile, SkipsLinesWhoseKeyBeginsWithAHash) {
    const Config config = loadText("# grid.x 5\n#grid.x 6\n   #x 7\ngrid.y #8\n");
    EXPECT_EQ(config.getString("#grid.x"), "");
    EXPECT_EQ(config.getString("#x"), "");
    EXPECT_EQ(config.getInt("grid.x"), 0);
    EXPECT_EQ(config.getString("grid.y"), "#8");
    EXPECT_EQ(config.getInt("grid.y"), 0);
}

TEST(ConfigFile, LaterLinesReplaceEarlierValues) {
    EXPECT_EQ(loadText("grid.x 10\ngrid.x 20\n").getInt("grid.x"), 20);
}

TEST(ConfigFile, KeysAreCaseSensitive) {
    const Config config = loadText("Grid.x 10\n");
    EXPECT_EQ(config.getInt("grid.x"), 0);
    EXPECT_EQ(config.getInt("Grid.x"), 10);
}

TEST(ConfigFile, ReadsTheLastLineWithoutALineFeed) {
    EXPECT_EQ(loadText("grid.x 1\ngrid.y 9").getInt("grid.y"), 9);
}

TEST(ConfigFile, ReadsEveryLineAfterALineOfTheLongestLength) {
    const std::string padding(Config::maxLineLength - 9, 'x');
    const std::string longest = "grid.x 4 " + padding;
    ASSERT_EQ(longest.size(), 998u);
    const Config config = loadText(longest + "\ngrid.y 3\n");
    EXPECT_EQ(config.getInt("grid.x"), 4);
    EXPECT_EQ(config.getInt("grid.y"), 3);
}

TEST(ConfigFile, StopsAfterTheFirstLineThatIsTooLong) {
    const std::string tooLong = "grid.x 4 " + std::string(990, 'x');
    ASSERT_EQ(tooLong.size(), 999u);
    const Config config = loadText(tooLong + "\ngrid.y 3\n");
    EXPECT_EQ(config.getInt("grid.x"), 4);
    EXPECT_EQ(config.getInt("grid.y"), 0);
}

TEST(ConfigFile, CutsATooLongLineAfterItsFirstCharacters) {
    // The value straddles the cut: only its first digits are read.
    const std::string line = std::string(993, ' ') + "a 12345";
    EXPECT_EQ(loadText(line + "\n").getInt("a"), 123);
}

TEST(ConfigFile, TreatsCarriageReturnsAloneAsOneLine) {
    const Config config = loadText("grid.x 5\rgrid.y 6\rprey.number 7\r");
    EXPECT_EQ(config.getInt("grid.x"), 5);
    EXPECT_EQ(config.getString("grid.y"), "");
}

TEST(ConfigFile, KeepsAByteOrderMarkInTheFirstKey) {
    const Config config = loadText("\xEF\xBB\xBFgrid.x 5\ngrid.y 6\n");
    EXPECT_EQ(config.getInt("grid.x"), 0);
    EXPECT_EQ(config.getInt("grid.y"), 6);
}

TEST(ConfigFile, KeepsNulBytesInsideTokens) {
    const Config config = loadText(std::string("a\0b 1\ngrid.x 2\0\n", 16));
    EXPECT_EQ(config.getInt(std::string("a\0b", 3)), 1);
    EXPECT_EQ(config.getInt("a"), 0);
    EXPECT_EQ(config.getInt("grid.x"), 2);
}

TEST(ConfigLookup, NeverAddsAKey) {
    const Config config = loadText("grid.x 5\n");
    EXPECT_EQ(config.getString("grid.y"), "");
    EXPECT_EQ(config.getString("grid.y"), "");
    EXPECT_EQ(config.getInt("grid.x"), 5);
}
