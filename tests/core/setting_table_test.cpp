#include "core/SettingTable.h"

#include <gtest/gtest.h>
#include <string>
#include <type_traits>
#include <utility>

TEST(SettingTable, FindsNothingWhenEmpty) {
    const SettingTable table;
    EXPECT_EQ(table.find("grid.x"), nullptr);
    EXPECT_EQ(table.find(""), nullptr);
}

TEST(SettingTable, ReplacesTheValueOfAnEqualKey) {
    SettingTable table;
    table.insertOrAssign("grid.x", "10");
    table.insertOrAssign("grid.x", "20");
    ASSERT_NE(table.find("grid.x"), nullptr);
    EXPECT_EQ(*table.find("grid.x"), "20");
}

TEST(SettingTable, TellsApartKeysOfEveryLengthThatDifferInOneByte) {
    // Every length from 0 to 40 and a change at every position, including the
    // middle bytes of long keys that the first and last eight do not cover.
    SettingTable table;
    for (std::size_t length = 0; length <= 40; ++length) {
        const std::string base(length, 'k');
        table.insertOrAssign(base, "base" + std::to_string(length));
        for (std::size_t at = 0; at < length; ++at) {
            std::string key = base;
            key[at] = 'z';
            table.insertOrAssign(key, std::to_string(length) + ":" + std::to_string(at));
        }
    }
    for (std::size_t length = 0; length <= 40; ++length) {
        const std::string base(length, 'k');
        ASSERT_NE(table.find(base), nullptr);
        EXPECT_EQ(*table.find(base), "base" + std::to_string(length));
        for (std::size_t at = 0; at < length; ++at) {
            std::string key = base;
            key[at] = 'z';
            ASSERT_NE(table.find(key), nullptr) << key;
            EXPECT_EQ(*table.find(key), std::to_string(length) + ":" + std::to_string(at));
        }
    }
}

TEST(SettingTable, DoesNotMatchAPrefixOrALongerKey) {
    SettingTable table;
    table.insertOrAssign("prey.eatable", "1");
    EXPECT_EQ(table.find("prey.eatabl"), nullptr);
    EXPECT_EQ(table.find("prey.eatable "), nullptr);
    EXPECT_EQ(table.find("Prey.eatable"), nullptr);
}

TEST(SettingTable, KeepsEveryKeyWhileItGrows) {
    SettingTable table;
    for (int i = 0; i < 5000; ++i)
        table.insertOrAssign("key." + std::to_string(i), std::to_string(i * 7));
    for (int i = 0; i < 5000; ++i) {
        const std::string* value = table.find("key." + std::to_string(i));
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(*value, std::to_string(i * 7));
    }
    EXPECT_EQ(table.find("key.5000"), nullptr);
}

TEST(SettingTable, KeepsBytesThatAreNotText) {
    SettingTable table;
    const std::string withNul("a\0b", 3);
    table.insertOrAssign(withNul, "1");
    table.insertOrAssign("\xff\xfe", "2");
    EXPECT_EQ(*table.find(withNul), "1");
    EXPECT_EQ(table.find(std::string("a\0c", 3)), nullptr);
    EXPECT_EQ(*table.find("\xff\xfe"), "2");
}

TEST(SettingTable, AnswersAfterAMoveAndCannotBeCopied) {
    static_assert(!std::is_copy_constructible_v<SettingTable>);
    SettingTable table;
    for (int i = 0; i < 100; ++i)
        table.insertOrAssign("key." + std::to_string(i), std::to_string(i));
    SettingTable moved = std::move(table);
    SettingTable assigned;
    assigned = std::move(moved);
    ASSERT_NE(assigned.find("key.42"), nullptr);
    EXPECT_EQ(*assigned.find("key.42"), "42");
}
