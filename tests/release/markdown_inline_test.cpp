// The README's and the changelog's inline marks, as plain text and as roff.
#include <gtest/gtest.h>

#include "tools/release/MarkdownInline.h"

TEST(MarkdownInline, KeepsTheTextOfCodeStrongTextAndLinksInPlainTextAndBoldsThemInRoff) {
    const struct {
        std::string markdown, plain, roff;
    } cases[] = {
        {"`--turns N` runs", "--turns N runs", "\\fB\\-\\-turns N\\fR runs"},
        {"**Huge ranges.** More", "Huge ranges. More", "\\fBHuge ranges.\\fR More"},
        {"see [LICENSE](LICENSE).", "see LICENSE.", "see LICENSE."},
        {"set-up, a \\ and `a\\b`", "set-up, a \\ and a\\b", "set-up, a \\e and \\fBa\\eb\\fR"},
        {"an `unclosed mark and [no link]", "an `unclosed mark and [no link]",
         "an `unclosed mark and [no link]"},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(plainText(each.markdown), each.plain) << each.markdown;
        EXPECT_EQ(roffText(each.markdown), each.roff) << each.markdown;
    }
}
