#include "tools/release/ManPage.h"

#include <algorithm>
#include <regex>
#include <sstream>
#include <vector>

#include "tools/release/HelpText.h"
#include "tools/release/MarkdownInline.h"

namespace {

const std::regex titleLine(R"(# ([a-z][a-z.-]*)\(([1-8])\): (.+))");
const std::regex readmeLine(R"(<!-- README: (.+) -->)");
const std::string usageLine = "<!-- --help: usage -->";
const std::string optionsLine = "<!-- --help: options -->";

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return text;
}

// A text line of the page, safe from being read as a roff request.
std::string textLine(const std::string& roff) {
    return !roff.empty() && (roff[0] == '.' || roff[0] == '\'') ? "\\&" + roff : roff;
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// A line of a ``` block as it stands: roff's escape character escaped, and
// each '-' a minus sign, as commands and options are typed.
std::string codeLine(const std::string& line) {
    std::string roff;
    for (const char c : line)
        roff += c == '\\' ? "\\e" : c == '-' ? "\\-" : std::string(1, c);
    return roff;
}

// The cells of "| a | b |"; a '|' of the text is written "\|" there.
std::vector<std::string> cellsOf(const std::string& row) {
    std::vector<std::string> cells(1);
    for (std::size_t at = 1; at < row.size(); ++at) {
        if (row.compare(at, 2, "\\|") == 0)
            cells.back() += row[++at];
        else if (row[at] == '|')
            cells.emplace_back();
        else
            cells.back() += row[at];
    }
    if (row.ends_with('|'))
        cells.pop_back(); // what follows the closing '|'
    for (std::string& cell : cells)
        cell = trimmed(cell);
    return cells;
}

// Turns the page's blocks into roff, one line at a time.
class RoffWriter {
public:
    void write(const std::vector<std::string>& lines) {
        for (index = 1; index < lines.size(); ++index)
            writeLine(lines, lines[index]);
    }

    std::string roff;

private:
    void writeLine(const std::vector<std::string>& lines, const std::string& line) {
        if (line.starts_with("```")) {
            writeCode(lines);
        } else if (line.starts_with("## ") || line.starts_with("### ")) {
            const bool section = line[2] == ' ';
            emit((section ? ".SH " + upper(line.substr(3)) : ".SS " + line.substr(4)));
            afterHeading = true;
            inBlock = false;
        } else if (line.empty()) {
            inBlock = false;
        } else if (line.starts_with("|")) {
            writeRow(lines, line);
        } else if (line.starts_with("- ")) {
            emit(".IP \\(bu 2");
            emit(textLine(roffText(line.substr(2))));
            inBlock = true;
        } else {
            if (!inBlock)
                startParagraph();
            emit(textLine(roffText(trimmed(line))));
            inBlock = true;
        }
    }

    void writeRow(const std::vector<std::string>& lines, const std::string& row) {
        const bool isHeader = index + 1 < lines.size() && lines[index + 1].starts_with("|-");
        if (isHeader || row.starts_with("|-"))
            return;
        const std::vector<std::string> cells = cellsOf(row);
        emit(".TP");
        emit(textLine(roffText(cells.empty() ? "" : cells[0])));
        for (std::size_t i = 1; i < cells.size(); ++i)
            if (!cells[i].empty())
                emit(textLine(roffText(cells[i])));
        inBlock = true;
    }

    void writeCode(const std::vector<std::string>& lines) {
        startParagraph();
        emit(".RS 4");
        emit(".nf");
        for (++index; index < lines.size() && !lines[index].starts_with("```"); ++index)
            emit(textLine(codeLine(lines[index])));
        if (index == lines.size())
            throw ManPageError("a ``` block that does not end");
        emit(".fi");
        emit(".RE");
        inBlock = false;
    }

    // A paragraph straight after a heading needs no break of its own.
    void startParagraph() {
        if (!afterHeading)
            emit(".PP");
    }

    void emit(const std::string& line) {
        roff += line + "\n";
        afterHeading = false;
    }

    std::size_t index = 0;
    bool afterHeading = false;
    bool inBlock = false;
};

std::string readmeSection(const std::vector<std::string>& readme, const std::string& heading) {
    const auto start = std::find(readme.begin(), readme.end(), "## " + heading);
    if (start == readme.end())
        throw ManPageError("the README has no section \"## " + heading + "\"");
    std::string section;
    for (auto line = start + 1; line != readme.end() && !line->starts_with("## "); ++line)
        section += *line + "\n";
    return section;
}

} // namespace

std::string withReadmeSections(const std::string& page, const std::string& readme) {
    const std::vector<std::string> readmeLines = linesOf(readme);
    std::string expanded;
    for (const std::string& line : linesOf(page)) {
        std::smatch match;
        expanded += std::regex_match(line, match, readmeLine) ? readmeSection(readmeLines, match[1])
                                                              : line + "\n";
    }
    return expanded;
}

std::string withHelp(const std::string& page, const std::string& help) {
    const HelpMarkdown markdown = helpAsMarkdown(help);
    std::string expanded;
    bool found = false;
    for (const std::string& line : linesOf(page)) {
        const bool isHelp = line == usageLine || line == optionsLine;
        expanded += !isHelp ? line + "\n" : line == usageLine ? markdown.usage : markdown.options;
        found = found || isHelp;
    }
    if (!found)
        throw ManPageError("the page has no line \"" + usageLine + "\" or \"" + optionsLine + "\"");
    return expanded;
}

std::string manPage(const std::string& page, const ManPageEdition& edition) {
    const std::vector<std::string> lines = linesOf(page);
    std::smatch title;
    if (lines.empty() || !std::regex_match(lines[0], title, titleLine))
        throw ManPageError("the first line is not \"# NAME(SECTION): what it is\"");
    const std::string name = title[1];
    RoffWriter writer;
    writer.write(lines);
    return ".TH " + upper(name) + " " + title[2].str() + " " + edition.date + " \"Lurkfield " +
           edition.version + "\" \"Lurkfield manual\"\n.SH NAME\n" +
           std::regex_replace(name, std::regex("-"), "\\-") + " \\- " + roffText(title[3].str()) +
           "\n" + writer.roff;
}
