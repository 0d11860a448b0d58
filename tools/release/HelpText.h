#pragma once
// A program's --help, as the Markdown of its manual page's synopsis and
// options (ManPage.h), so that the options are written once, in the program.
// The form our programs print: "usage: " and the command, its further lines
// indented deeper than two blanks; then, two blanks in, an option (its names
// and arguments, two or more blanks, what it does; further lines indented
// deeper) or a line of plain text.
#include <string>
#include <vector>

struct HelpMarkdown {
    std::string usage;   // a ``` block of the command's forms
    std::string options; // a table of the options, and the help's paragraphs of text
};

// Throws std::runtime_error for a help not of that form.
HelpMarkdown helpAsMarkdown(const std::string& help);

// The lines of a text, without their line ends.
std::vector<std::string> linesOf(const std::string& text);
