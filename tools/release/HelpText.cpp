#include "tools/release/HelpText.h"

#include <regex>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

const std::string usagePrefix = "usage: ";
// "--config FILE", "--merge FILE...", "--help, --version": names, each with an argument or not.
const std::regex
    optionLine(R"(  (-[-a-z]+(?: [A-Z][^ ,]*)?(?:, -[-a-z]+(?: [A-Z][^ ,]*)?)*)(?:  +(.*))?)");
const std::regex deeperLine(R"(   +(\S.*))");
const std::regex textLine(R"(  (\S.*))");

// An option with what it does, or (without names) a paragraph of text.
struct Entry {
    std::string names;
    std::string text;
};

void readEntry(std::vector<Entry>& entries, const std::string& line) {
    std::smatch match;
    const bool paragraphOpen = !entries.empty() && entries.back().names.empty();
    if (std::regex_match(line, match, optionLine))
        entries.push_back({match[1], match[2]});
    else if ((std::regex_match(line, match, deeperLine) && !entries.empty()) ||
             (std::regex_match(line, match, textLine) && paragraphOpen))
        entries.back().text += " " + match[1].str();
    else if (std::regex_match(line, match, textLine))
        entries.push_back({"", match[1]});
    else if (!line.empty())
        throw std::runtime_error("the help's line \"" + line + "\" is neither option nor text");
}

// A table cell may not hold a bare '|'.
std::string cell(const std::string& text) {
    return std::regex_replace(text, std::regex(R"(\|)"), "\\|");
}

// "--table FILE|-, --help" as "`--table` FILE|-, `--help`": the names as code, the arguments not.
std::string namesCell(const std::string& names) {
    return cell(std::regex_replace(names, std::regex(R"((-[-a-z]+))"), "`$1`"));
}

// Options named in a text are code there too.
std::string textCell(const std::string& text) {
    return cell(std::regex_replace(text, std::regex(R"((^|[ (])(--?[a-z][-a-z]*))"), "$1`$2`"));
}

std::string entriesAsMarkdown(const std::vector<Entry>& entries) {
    std::string markdown;
    bool inTable = false;
    for (const Entry& entry : entries) {
        if (entry.names.empty())
            markdown += "\n" + textCell(entry.text) + "\n";
        else
            markdown += std::string(inTable ? "" : "\n| option | what it does |\n|---|---|\n") +
                        "| " + namesCell(entry.names) + " | " + textCell(entry.text) + " |\n";
        inTable = !entry.names.empty();
    }
    return markdown;
}

} // namespace

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

HelpMarkdown helpAsMarkdown(const std::string& help) {
    const std::vector<std::string> lines = linesOf(help);
    if (lines.empty() || !lines[0].starts_with(usagePrefix))
        throw std::runtime_error("the help does not begin with \"" + usagePrefix + "\"");
    // The usage's further lines are aligned with its first after "usage: ".
    std::string usage = "```\n" + lines[0].substr(usagePrefix.size()) + "\n";
    std::size_t at = 1;
    for (; at < lines.size() && lines[at].starts_with("   "); ++at)
        usage += lines[at].substr(std::min(lines[at].size(), usagePrefix.size())) + "\n";
    std::vector<Entry> entries;
    for (; at < lines.size(); ++at)
        readEntry(entries, lines[at]);
    return {usage + "```\n", entriesAsMarkdown(entries)};
}
