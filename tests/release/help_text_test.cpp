// A program's --help as the usage and options of its manual page.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/release/HelpText.h"

TEST(HelpText, GivesTheUsageAsItIsAndEachOptionAsARowWithItsFurtherLines) {
    const HelpMarkdown markdown = helpAsMarkdown("usage: sweep [--config FILE]\n"
                                                 "             [--table FILE|-]\n"
                                                 "       sweep --merge FILE...\n"
                                                 "  --config FILE    the settings (default:\n"
                                                 "                   lurkfield.config)\n"
                                                 "  --table FILE|-   a table, see --merge\n"
                                                 "  Text that goes on with\n"
                                                 "  --shard: not an option.\n"
                                                 "  --help, --version\n");
    EXPECT_EQ(markdown.usage, "```\nsweep [--config FILE]\n      [--table FILE|-]\n"
                              "sweep --merge FILE...\n```\n");
    EXPECT_EQ(markdown.options, "\n| option | what it does |\n|---|---|\n"
                                "| `--config` FILE | the settings (default: lurkfield.config) |\n"
                                "| `--table` FILE\\|- | a table, see `--merge` |\n"
                                "\nText that goes on with `--shard`: not an option.\n"
                                "\n| option | what it does |\n|---|---|\n"
                                "| `--help`, `--version` |  |\n");
}

TEST(HelpText, RefusesAHelpThatDoesNotBeginWithItsUsage) {
    EXPECT_THROW(helpAsMarkdown("Lurkfield, a game\n"), std::runtime_error);
    EXPECT_THROW(helpAsMarkdown("usage: x\nnot indented\n"), std::runtime_error);
}
