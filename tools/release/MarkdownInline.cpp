#include "tools/release/MarkdownInline.h"

#include <vector>

namespace {

struct Span {
    enum Kind { text, code, strong } kind;
    std::string content;
};

// Where a mark opened at `from` closes, or npos when it does not.
std::size_t closing(std::string_view markdown, std::size_t from, std::string_view mark) {
    return markdown.find(mark, from + mark.size());
}

// A link "[text](target)" at `at`: its text and the length of the whole, or a length of 0.
std::size_t linkAt(std::string_view markdown, std::size_t at, std::string& linkText) {
    const std::size_t textEnd = markdown.find("](", at);
    if (textEnd == std::string_view::npos ||
        markdown.substr(at, textEnd - at).find('[', 1) != std::string_view::npos)
        return 0;
    const std::size_t targetEnd = markdown.find(')', textEnd);
    if (targetEnd == std::string_view::npos)
        return 0;
    linkText = markdown.substr(at + 1, textEnd - at - 1);
    return targetEnd + 1 - at;
}

void addText(std::vector<Span>& spans, std::string_view text) {
    if (spans.empty() || spans.back().kind != Span::text)
        spans.push_back({Span::text, ""});
    spans.back().content += text;
}

std::vector<Span> spansOf(std::string_view markdown) {
    std::vector<Span> spans;
    for (std::size_t at = 0; at < markdown.size();) {
        std::string linkText;
        std::size_t end;
        if (markdown[at] == '`' && (end = closing(markdown, at, "`")) != std::string_view::npos) {
            spans.push_back({Span::code, std::string(markdown.substr(at + 1, end - at - 1))});
            at = end + 1;
        } else if (markdown.substr(at, 2) == "**" &&
                   (end = closing(markdown, at, "**")) != std::string_view::npos) {
            spans.push_back({Span::strong, std::string(markdown.substr(at + 2, end - at - 2))});
            at = end + 2;
        } else if (const std::size_t length =
                       markdown[at] == '[' ? linkAt(markdown, at, linkText) : 0) {
            addText(spans, linkText);
            at += length;
        } else {
            addText(spans, markdown.substr(at, 1));
            ++at;
        }
    }
    return spans;
}

std::string roffEscaped(std::string_view text, bool minusSigns) {
    std::string roff;
    for (const char c : text) {
        if (c == '\\')
            roff += "\\e";
        else if (c == '-' && minusSigns)
            roff += "\\-";
        else
            roff += c;
    }
    return roff;
}

} // namespace

std::string plainText(std::string_view markdown) {
    std::string plain;
    for (const Span& span : spansOf(markdown))
        plain += span.content;
    return plain;
}

std::string roffText(std::string_view markdown) {
    std::string roff;
    for (const Span& span : spansOf(markdown)) {
        if (span.kind == Span::text)
            roff += roffEscaped(span.content, false);
        else
            roff += "\\fB" + roffEscaped(span.content, span.kind == Span::code) + "\\fR";
    }
    return roff;
}
