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

std::string entry(const Release& release, const DebianPackage& package) {
    std::string text = package.name + " (" + release.version + ") unstable; urgency=medium\n\n";
    for (const ChangeGroup& group : release.groups) {
        text += "  * " + group.kind + ":\n";
        for (const std::string& item : group.items)
            text += wrapped(plainText(item), "    - ", "      ");
    }
    return text + "\n -- " + package.maintainer + "  " + debianDate(release.date) + "\n";
}

} // namespace

std::string debianDate(const std::string& isoDate) {
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
    std::snprintf(text, sizeof text, "%s, %02u %s %04d 00:00:00 +0000",
                  weekdays[weekday.c_encoding()], day, months[month - 1], year);
    return text;
}

std::string debianChangelog(const std::vector<Release>& releases, const DebianPackage& package) {
    std::string text;
    for (const Release& release : releases)
        text += (text.empty() ? "" : "\n") + entry(release, package);
    return text;
}
