#include "launcher/command_line.hpp"
#include "launcher/tool_kind.hpp"

#include <gtest/gtest.h>

namespace toolrun {
namespace {

using Tokens = std::vector<std::string>;

TEST(SplitCommandLine, BlanksSeparateAndTabsDoNot) {
    const CommandLine line = split_command_line("  toolrun.exe   -modelsim\tx  y ");
    EXPECT_EQ(line.tokens, (Tokens{"toolrun.exe", "-modelsim\tx", "y"}));
    EXPECT_FALSE(line.unmatched_quote);
    EXPECT_TRUE(split_command_line("").tokens.empty());
    EXPECT_TRUE(split_command_line("    ").tokens.empty());
}

TEST(SplitCommandLine, QuotedSectionsKeepBlanksAndJoinTheirNeighbours) {
    EXPECT_EQ(split_command_line("\"a b\"c").tokens, (Tokens{"a bc"}));
    EXPECT_EQ(split_command_line("x\"a b\"c d").tokens, (Tokens{"xa bc", "d"}));
    EXPECT_EQ(split_command_line("\"C:\\Program Files\\t.exe\" -pgmcfg").tokens,
              (Tokens{"C:\\Program Files\\t.exe", "-pgmcfg"}));
    EXPECT_EQ(split_command_line("\"\" a").tokens, (Tokens{"", "a"}));
    EXPECT_EQ(split_command_line("\"a\"\"b\"").tokens, (Tokens{"ab"}));
}

TEST(SplitCommandLine, UnmatchedQuoteKeepsTheTokenMadeSoFar) {
    const CommandLine line = split_command_line("toolrun \"-modelsim x");
    EXPECT_EQ(line.tokens, (Tokens{"toolrun", "-modelsim x"}));
    EXPECT_TRUE(line.unmatched_quote);
    EXPECT_STREQ(unmatched_quote_message, "Unmatched quote string contained in the command line\n");
}

TEST(SplitCommandLine, KeepsNinetyNineTokensOfAtMost5199Characters) {
    std::string text;
    for (int i = 0; i < 120; ++i) {
        text += 't';
        text += std::to_string(i);
        text += ' ';
    }
    const CommandLine many = split_command_line(text);
    ASSERT_EQ(many.tokens.size(), 99u);
    EXPECT_EQ(many.tokens.back(), "t98");

    const std::string long_token(6000, 'x');
    const CommandLine line = split_command_line("a " + long_token + " -spectrum");
    EXPECT_EQ(line.tokens, (Tokens{"a", std::string(5199, 'x'), "-spectrum"}));

    Tokens split(120, "-x");
    split[0] = long_token;
    const Tokens limited = limit_tokens(split);
    ASSERT_EQ(limited.size(), 99u);
    EXPECT_EQ(limited[0].size(), 5199u);
}

TEST(SelectTool, NoSwitchMeansSynplify) {
    EXPECT_EQ(select_tool({}), ToolKind::SYNPLIFY);
    EXPECT_EQ(select_tool({"toolrun.exe", "-other", "modelsim"}), ToolKind::SYNPLIFY);
}

TEST(SelectTool, EachSwitchInAnyLetterCase) {
    EXPECT_EQ(select_tool({"t", "-synplify"}), ToolKind::SYNPLIFY);
    EXPECT_EQ(select_tool({"t", "-ModelSim"}), ToolKind::MODELSIM);
    EXPECT_EQ(select_tool({"t", "-SPECTRUM"}), ToolKind::SPECTRUM);
    EXPECT_EQ(select_tool({"t", "-pgmCfg"}), ToolKind::PGMCFG);
    EXPECT_EQ(select_tool({"t", "-modelsimx", "-modelsi"}), ToolKind::SYNPLIFY);
}

TEST(SelectTool, FirstSwitchWinsAndTheProgramNameCounts) {
    EXPECT_EQ(select_tool({"t", "-pgmcfg", "-modelsim"}), ToolKind::PGMCFG);
    EXPECT_EQ(select_tool({"t", "-synplify", "-spectrum"}), ToolKind::SYNPLIFY);
    EXPECT_EQ(select_tool({"-Spectrum", "-modelsim"}), ToolKind::SPECTRUM);
}

} // namespace
} // namespace toolrun
