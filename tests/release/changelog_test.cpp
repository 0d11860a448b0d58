// CHANGELOG.md read as Keep a Changelog writes it, and refused where it is not.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/release/Changelog.h"

namespace {

std::vector<Release> read(const std::string& text) {
    std::istringstream in(text);
    return readChangelog(in);
}

} // namespace

TEST(Changelog, ReadsTheReleasesNewestFirstLeavingOutTheIntroductionAndUnreleased) {
    const std::vector<Release> releases = read("# Changelog\n\nSome words.\n\n"
                                               "## [Unreleased]\n\n### Added\n\n- not yet\n\n"
                                               "## [0.2.0] - 2026-12-08\n\n### Added\n\n"
                                               "- one item that goes\n  on here\n- two\n\n"
                                               "### Fixed\n- three\n\n"
                                               "## [0.1.0] - 2026-12-07\n### Added\n- first\n");
    ASSERT_EQ(releases.size(), 2u);
    EXPECT_EQ(releases[0].version, "0.2.0");
    EXPECT_EQ(releases[0].date, "2026-12-08");
    ASSERT_EQ(releases[0].groups.size(), 2u);
    EXPECT_EQ(releases[0].groups[0].kind, "Added");
    EXPECT_EQ(releases[0].groups[0].items,
              (std::vector<std::string>{"one item that goes on here", "two"}));
    EXPECT_EQ(releases[0].groups[1].items, std::vector<std::string>{"three"});
    EXPECT_EQ(releases[1].version, "0.1.0");
    EXPECT_EQ(releases[1].groups[0].items, std::vector<std::string>{"first"});
}

TEST(Changelog, RefusesWhatTheFormDoesNotAllowNamingTheLine) {
    const struct {
        std::string text;
        std::string line;
    } cases[] = {
        {"## 0.3.0 - 2026-12-09\n", "line 1:"},
        {"## [0.3.0] - 9 December 2026\n", "line 1:"},
        {"## [0.3.0] - 2026-12-09\n- an item without a group\n", "line 2:"},
        {"## [0.3.0] - 2026-12-09\n### Added\n\n  goes on with nothing\n", "line 4:"},
        {"## [0.3.0] - 2026-12-09\n### Added\n- item\n\nloose words\n", "line 5:"},
    };
    for (const auto& bad : cases) {
        try {
            read(bad.text);
            ADD_FAILURE() << "accepted: " << bad.text;
        } catch (const ChangelogError& error) {
            EXPECT_TRUE(std::string(error.what()).starts_with(bad.line)) << error.what();
        }
    }
}
