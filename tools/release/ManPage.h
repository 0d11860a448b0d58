#pragma once
// A manual page in roff, made from a page written in Markdown (docs/man/).
// The page's first line names it: "# NAME(SECTION): what it is"; then come
// "## SECTION" and "### Subsection" headings, paragraphs, "- " lists, tables
// (each row a tagged paragraph: its first cell the tag, its others the text;
// the header row is left out) and ``` blocks, shown as they are.
//
// A line "<!-- README: Heading -->" stands for the text of the README's
// "## Heading" section, and the lines "<!-- --help: usage -->" and
// "<!-- --help: options -->" for the usage and the options the program's
// --help prints (HelpText.h): so that what the README or the program says is
// written once.
#include <stdexcept>
#include <string>

struct ManPageEdition {
    std::string version; // of Lurkfield, in the page's footer
    std::string date;    // of the release, YYYY-MM-DD
};

// A page that is not of the form above; what() says what and where.
class ManPageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The page with each README line replaced by that section of `readme`.
std::string withReadmeSections(const std::string& page, const std::string& readme);

// The page with its --help lines replaced by what `help` says; throws
// ManPageError when the page has neither.
std::string withHelp(const std::string& page, const std::string& help);

std::string manPage(const std::string& page, const ManPageEdition& edition);
