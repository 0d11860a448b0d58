// Manual pages from the pages in docs/man/: the title, each kind of block, and
// the README's sections standing in for their include lines.
#include <gtest/gtest.h>

#include "tools/release/ManPage.h"

namespace {

const ManPageEdition edition{"0.3.0", "2026-12-09"};

} // namespace

TEST(ManPage, NamesThePageAndWritesEachKindOfBlock) {
    const std::string page = "# lurkfield-text(1): the game in a terminal\n\n"
                             "## Synopsis\n\n`lurkfield-text` [options]\n\n"
                             "Two lines\n  of text.\n.config starts a line.\n\n"
                             "- an item\n  going on\n\n"
                             "| key | meaning |\n|---|---|\n| `grid.x` | columns |\n\n"
                             "### Files\n\n```\n.dot \\ back\n```\n";
    EXPECT_EQ(manPage(page, edition),
              ".TH LURKFIELD-TEXT 1 2026-12-09 \"Lurkfield 0.3.0\" \"Lurkfield manual\"\n"
              ".SH NAME\nlurkfield\\-text \\- the game in a terminal\n"
              ".SH SYNOPSIS\n\\fBlurkfield\\-text\\fR [options]\n"
              ".PP\nTwo lines\nof text.\n\\&.config starts a line.\n"
              ".IP \\(bu 2\nan item\ngoing on\n"
              ".TP\n\\fBgrid.x\\fR\ncolumns\n"
              ".SS Files\n.RS 4\n.nf\n\\&.dot \\e back\n.fi\n.RE\n");
}

TEST(ManPage, RefusesAPageWithoutItsTitleLineOrWithAnOpenCodeBlock) {
    EXPECT_THROW(manPage("## Name\n", edition), ManPageError);
    EXPECT_THROW(manPage("# lurkfield(1): x\n\n```\nnever closed\n", edition), ManPageError);
}

TEST(ManPage, TakesAReadmeSectionUpToTheNextSectionInPlaceOfItsLine) {
    const std::string readme = "# Lurkfield\n\n## Playing\n\nSpace: a turn.\n### Keys\nEsc\n"
                               "## Next\n\nnot this\n";
    EXPECT_EQ(withReadmeSections("before\n<!-- README: Playing -->\nafter\n", readme),
              "before\n\nSpace: a turn.\n### Keys\nEsc\nafter\n");
    EXPECT_THROW(withReadmeSections("<!-- README: Missing -->\n", readme), ManPageError);
}
