#include <gtest/gtest.h>

#include "tools/sweep/output/Csv.h"
#include "tools/sweep/output/Provenance.h"

TEST(Csv, QuotesOnlyTheFieldsThatNeedIt) {
    const std::pair<std::string, std::string> cases[] = {{"prey.number", "prey.number"},
                                                         {"", ""},
                                                         {"a,b", "\"a,b\""},
                                                         {"say \"hi\"", "\"say \"\"hi\"\"\""},
                                                         {"two\nlines", "\"two\nlines\""},
                                                         {"cr\r", "\"cr\r\""},
                                                         {"it's", "it's"}};
    for (const auto& [field, written] : cases) {
        std::string record;
        csv::appendField(record, field);
        EXPECT_EQ(record, written);
        EXPECT_EQ(csv::fields(record), std::vector<std::string>{field});
    }
}

TEST(Csv, SplitsRecordsAndTellsAnOpenQuote) {
    EXPECT_EQ(csv::header({"run", "a,b", "turn"}), "run,\"a,b\",turn\n");
    EXPECT_EQ(csv::fields("1,,\"x,\"\"y\"\"\",3"),
              (std::vector<std::string>{"1", "", "x,\"y\"", "3"}));
    EXPECT_FALSE(csv::fields("1,\"open"));
    EXPECT_TRUE(csv::insideQuotes("1,\"two\n"));
    EXPECT_FALSE(csv::insideQuotes("1,\"a\"\"b\",\n"));
    std::string numbers;
    csv::appendNumber(numbers, std::uint64_t{18446744073709551615ULL});
    csv::appendNumber(numbers, std::int64_t{-2147483648LL});
    EXPECT_EQ(numbers, "18446744073709551615-2147483648");
}

TEST(Provenance, KeepsEveryByteOfTextThatIsNotUtf8AsTheCodePointOfItsNumber) {
    EXPECT_EQ(keepEveryByte("gr\xc3\xbc\xc3\x9f \xe2\x82\xac \xf0\x9f\x90\xba"),
              "gr\xc3\xbc\xc3\x9f \xe2\x82\xac \xf0\x9f\x90\xba");
    // A lone continuation byte, a cut sequence, an overlong form, a surrogate.
    EXPECT_EQ(keepEveryByte("\x80|\xe2\x82|\xc0\xaf|\xed\xa0\x80"),
              "\u0080|\u00e2\u0082|\u00c0\u00af|\u00ed\u00a0\u0080");
    EXPECT_EQ(keepEveryByte(std::string("nul\0!", 5)), std::string("nul\0!", 5));
}
