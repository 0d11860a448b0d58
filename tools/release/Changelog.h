#pragma once
// The project's CHANGELOG.md, in the Keep a Changelog form, read for the
// files a release carries besides the programs (the Debian package's
// changelog). A release is a heading "## [VERSION] - YYYY-MM-DD", its changes
// grouped under "### KIND" headings (Added, Changed, Fixed, ...) as items
// "- text", whose further lines are indented. "## [Unreleased]" and the text
// before the first release are not part of any release.
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

struct ChangeGroup {
    std::string kind;
    std::vector<std::string> items; // each item's lines joined with single blanks
};

struct Release {
    std::string version;
    std::string date; // YYYY-MM-DD
    std::vector<ChangeGroup> groups;
};

// A line the form does not allow where it stands; what() names the line.
class ChangelogError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The releases in the file's order, newest first.
std::vector<Release> readChangelog(std::istream& in);
