#pragma once
// The inline Markdown of the project's own texts (README.md, CHANGELOG.md,
// docs/man/), as plain text and as roff for manual pages. Known: `code`,
// **strong** and [text](target) links, which keep their text only; anything
// else is text as it stands. Nothing nests inside code or strong text.
#include <string>
#include <string_view>

// The text a reader sees, without the marks: for the Debian changelog.
std::string plainText(std::string_view markdown);

// roff text for a manual page: code and strong text in bold, roff's escape
// character escaped, and a hyphen in code a minus sign (as options are).
// A line beginning with a roff control character is the caller's to guard.
std::string roffText(std::string_view markdown);
