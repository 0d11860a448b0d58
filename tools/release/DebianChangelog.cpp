#include "tools/release/DebianChangelog.h"

#include <chrono>
#include <cstdio>
#include <sstream>

#include "tools/release/MarkdownInline.h"

namespace {

constexpr std::size_t lineLimit = 80;

// The text's words in lines of at most lineLimit characters, the first
// beginning with `first`, the others with `rest`; a word too long for any
// line stands on a line of its own.
std::string wrapped(const std::string& text, const std::string& first, const std::string& rest) {
    std::istringstream words(text);
    std::string result, line = first;
    bool lineHasWord = false;
    for (std::string word; words >> word;) {
        if (lineHasWord && line.size() + 1 + word.size() > lineLimit) {
            result += line + "\n";
            line = rest;
            lineHasWord = false;
        }
        line += (lineHasWord ? " " : "") + word;
        lineHasWord = true;
    }
    return result + line + "\n";
}

// How many of the releases older than releases[newest] share its day: the
// seconds into that day its entry is signed at.
unsigned earlierThatDay(const std::vector<Release>& releases, std::size_t newest) {
    unsigned count = 0;
    for (std::size_t older = newest + 1; older < releases.size(); ++older)
        count += releases[older].date == releases[newest].date;
    return count;
}

std::string entry(const Release& release, unsigned second, const DebianPackage& package) {
    std::string text = package.name + " (" + release.version + ") unstable; urgency=medium\n\n";
    for (const ChangeGroup& group : release.groups) {
        text += "  * " + group.kind + ":\n";
        for (const std::string& item : group.items)
            text += wrapped(plainText(item), "    - ", "      ");
    }
    return text + "\n -- " + package.maintainer + "  " + debianDate(release.date, second) + "\n";
}

} // namespace

std::string debianDate(const std::string& isoDate, unsigned second) {
    static const char* const weekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    int year = 0;
    unsigned month = 0, day = 0;
    const std::chrono::year_month_day date =
        std::sscanf(isoDate.c_str(), "%d-%u-%u", &year, &month, &day) == 3
            ? std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day}
            : std::chrono::year_month_day{};
    if (!date.ok())
        throw ChangelogError("the date " + isoDate + " is no day of the calendar");
    const std::chrono::weekday weekday{std::chrono::sys_days{date}};
    char text[40];
    std::snprintf(text, sizeof text, "%s, %02u %s %04d %02u:%02u:%02u +0000",
                  weekdays[weekday.c_encoding()], day, months[month - 1], year, second / 3600 % 24,
                  second / 60 % 60, second % 60);
    return text;
}

std::string debianChangelog(const std::vector<Release>& releases, const DebianPackage& package) {
    std::string text;
    for (std::size_t i = 0; i < releases.size(); ++i)
        text += (text.empty() ? "" : "\n") + entry(releases[i], earlierThatDay(releases, i), package);
    return text;
}
