// The Debian package's changelog: an entry per release in Debian's own form,
// lines of at most 80 characters, signed on the release's day.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/release/DebianChangelog.h"

namespace {

const DebianPackage package{"lurkfield", "The Lurkfield developers <lurkfield@lurkfield.invalid>"};

} // namespace

TEST(DebianChangelog, WritesAnEntryPerReleaseInPlainTextSignedOnItsDay) {
    const std::vector<Release> releases = {
        {"0.2.0", "2026-12-08", {{"Added", {"`lurkfield-sweep`"}}, {"Fixed", {"a **fault**"}}}},
        {"0.1.0", "2026-12-07", {{"Added", {"The game"}}}},
    };
    EXPECT_EQ(debianChangelog(releases, package),
              "lurkfield (0.2.0) unstable; urgency=medium\n\n"
              "  * Added:\n    - lurkfield-sweep\n  * Fixed:\n    - a fault\n\n"
              " -- The Lurkfield developers <lurkfield@lurkfield.invalid>  "
              "Tue, 08 Dec 2026 00:00:00 +0000\n\n"
              "lurkfield (0.1.0) unstable; urgency=medium\n\n"
              "  * Added:\n    - The game\n\n"
              " -- The Lurkfield developers <lurkfield@lurkfield.invalid>  "
              "Mon, 07 Dec 2026 00:00:00 +0000\n");
}

TEST(DebianChangelog, SignsReleasesOfOneDayASecondApartNewestLast) {
    const std::vector<Release> releases = {{"0.4.0", "2026-12-09", {}},
                                           {"0.3.0", "2026-12-09", {}},
                                           {"0.2.0", "2026-12-08", {}}};
    const std::string text = debianChangelog(releases, package);
    for (const char* signature : {"Wed, 09 Dec 2026 00:00:01 +0000", "Wed, 09 Dec 2026 00:00:00 +0000",
                                  "Tue, 08 Dec 2026 00:00:00 +0000"})
        EXPECT_NE(text.find(signature), std::string::npos) << signature;
    EXPECT_LT(text.find("00:00:01"), text.find("00:00:00"));
}

TEST(DebianChangelog, WrapsAnItemAtEightyCharactersKeepingEveryWord) {
    std::string item;
    for (int i = 0; i < 40; ++i)
        item += "word" + std::to_string(i) + " ";
    const std::string text =
        debianChangelog({{"0.1.0", "2026-12-07", {{"Added", {item}}}}}, package);
    std::istringstream lines(text);
    std::string words;
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("    - ") && !line.starts_with("      "))
            continue; // the signature's length is the maintainer's
        EXPECT_LE(line.size(), 80u) << line;
        words += line.substr(6) + " ";
    }
    EXPECT_EQ(words, item);
}

TEST(DebianChangelog, DatesEachDayWithItsWeekdayAndRefusesDaysThatDoNotExist) {
    EXPECT_EQ(debianDate("2026-12-09"), "Wed, 09 Dec 2026 00:00:00 +0000");
    EXPECT_EQ(debianDate("2024-02-29"), "Thu, 29 Feb 2024 00:00:00 +0000");
    EXPECT_EQ(debianDate("2000-01-01"), "Sat, 01 Jan 2000 00:00:00 +0000");
    for (const char* bad : {"2026-02-29", "2026-13-01", "soon"})
        EXPECT_THROW(debianDate(bad), ChangelogError) << bad;
}
