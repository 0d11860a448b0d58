#pragma once
// The Debian package's changelog, made from the project's own (Changelog.h):
// an entry per release, newest first, its groups as items and their changes
// as sub-items in plain text, every line at most 80 characters, signed by the
// package's maintainer on the release's date.
#include <string>
#include <vector>

#include "tools/release/Changelog.h"

struct DebianPackage {
    std::string name;
    std::string maintainer; // "Name <address>"
};

// Throws ChangelogError for a date that is no day of the calendar.
std::string debianChangelog(const std::vector<Release>& releases, const DebianPackage& package);

// "Wed, 09 Dec 2026 00:00:00 +0000" for "2026-12-09": the form Debian's changelog signs with;
// `second` seconds into the day (releases of one day are signed a second apart, in their order,
// since Debian wants each entry later than the one before).
std::string debianDate(const std::string& isoDate, unsigned second = 0);
