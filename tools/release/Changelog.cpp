#include "tools/release/Changelog.h"

#include <regex>

namespace {

const std::regex
    releaseHeading(R"(## \[([0-9]+\.[0-9]+\.[0-9]+)\] - ([0-9]{4}-[0-9]{2}-[0-9]{2}))");
const std::regex unreleasedHeading(R"(## \[Unreleased\])");
const std::regex groupHeading(R"(### ([A-Z][a-z]+))");
const std::regex itemStart(R"(- (\S.*))");
const std::regex itemContinuation(R"(  +(\S.*))");

// Reads line by line: each line starts a release, a group or an item, goes on
// with the item just above it, or is blank.
class ChangelogReader {
public:
    void read(const std::string& line) {
        ++lineNumber;
        std::smatch match;
        if (std::regex_match(line, match, releaseHeading)) {
            releases.push_back({match[1], match[2], {}});
            inRelease = true;
        } else if (std::regex_match(line, unreleasedHeading)) {
            inRelease = false;
        } else if (line.starts_with("## ")) {
            fail("a release's heading is \"## [X.Y.Z] - YYYY-MM-DD\"");
        } else if (inRelease) {
            readInRelease(line);
        }
    }

    std::vector<Release> releases;

private:
    void readInRelease(const std::string& line) {
        std::smatch match;
        const bool continues = itemOpen;
        itemOpen = false;
        if (std::regex_match(line, match, groupHeading)) {
            releases.back().groups.push_back({match[1], {}});
        } else if (std::regex_match(line, match, itemStart)) {
            currentGroup().items.push_back(match[1]);
            itemOpen = true;
        } else if (std::regex_match(line, match, itemContinuation)) {
            if (!continues)
                fail("an indented line that goes on with no item");
            currentGroup().items.back() += " " + match[1].str();
            itemOpen = true;
        } else if (!line.empty()) {
            fail("a release holds \"### Kind\" headings and \"- \" items only");
        }
    }

    ChangeGroup& currentGroup() {
        if (releases.back().groups.empty())
            fail("an item before the release's first \"### Kind\" heading");
        return releases.back().groups.back();
    }

    [[noreturn]] void fail(const std::string& why) const {
        throw ChangelogError("line " + std::to_string(lineNumber) + ": " + why);
    }

    int lineNumber = 0;
    bool inRelease = false;
    bool itemOpen = false;
};

} // namespace

std::vector<Release> readChangelog(std::istream& in) {
    ChangelogReader reader;
    for (std::string line; std::getline(in, line);)
        reader.read(line);
    return reader.releases;
}
