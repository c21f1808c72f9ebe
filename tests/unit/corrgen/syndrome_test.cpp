// synd.v: the syndrome multiplexer is the only part that depends on r.
#include "generators/corrgen/syndrome.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace ipgen::rs {
namespace {

const std::string item_head = "      `SYNDSELWIDTH'h";

std::string synd_text(int num_chk) {
    StringSink sink;
    write_syndrome(sink, num_chk);
    return sink.text();
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> case_items(const std::string& text) {
    std::vector<std::string> items;
    for (const std::string& line : lines_of(text)) {
        if (line.rfind(item_head, 0) == 0) {
            items.push_back(line);
        }
    }
    return items;
}

// The text with the case items removed.
std::string fixed_text(const std::string& text) {
    std::string fixed;
    for (const std::string& line : lines_of(text)) {
        if (line.rfind(item_head, 0) != 0) {
            fixed += line + "\n";
        }
    }
    return fixed;
}

TEST(Syndrome, OneItemPerSyndromeWithHexSelectors) {
    const std::vector<std::string> items = case_items(synd_text(16));
    ASSERT_EQ(items.size(), 16U);
    EXPECT_EQ(items[0], "      `SYNDSELWIDTH'h0 : synd_jint = "
                        "synd_reg[1*`INPUT_DATA_WIDTH-1:0*`INPUT_DATA_WIDTH] ;");
    EXPECT_EQ(items[10], "      `SYNDSELWIDTH'ha : synd_jint = "
                         "synd_reg[11*`INPUT_DATA_WIDTH-1:10*`INPUT_DATA_WIDTH] ;");
    EXPECT_EQ(items[15], "      `SYNDSELWIDTH'hf : synd_jint = "
                         "synd_reg[16*`INPUT_DATA_WIDTH-1:15*`INPUT_DATA_WIDTH] ;");
}

TEST(Syndrome, ManySyndromesKeepLowerCaseHex) {
    const std::vector<std::string> items = case_items(synd_text(300));
    ASSERT_EQ(items.size(), 300U);
    EXPECT_EQ(items[299], "      `SYNDSELWIDTH'h12b : synd_jint = "
                          "synd_reg[300*`INPUT_DATA_WIDTH-1:299*`INPUT_DATA_WIDTH] ;");
}

TEST(Syndrome, DefaultItemFollowsEvenWhenEverySelectorHasAnItem) {
    const std::string text = synd_text(16);
    EXPECT_NE(text.find("synd_reg[16*`INPUT_DATA_WIDTH-1:15*`INPUT_DATA_WIDTH] ;\n"
                        "      default: synd_jint = synd_reg[`INPUT_DATA_WIDTH-1:0] ;\n"
                        "   endcase \n"),
              std::string::npos);
    EXPECT_NE(synd_text(1).find("   case ( sel_synd )\n"
                                "      `SYNDSELWIDTH'h0 : synd_jint = "
                                "synd_reg[1*`INPUT_DATA_WIDTH-1:0*`INPUT_DATA_WIDTH] ;\n"
                                "      default: synd_jint = synd_reg[`INPUT_DATA_WIDTH-1:0] ;\n"),
              std::string::npos);
}

TEST(Syndrome, TextBesidesTheItemsIsTheSameForEveryR) {
    const std::string fixed = fixed_text(synd_text(16));
    EXPECT_EQ(fixed_text(synd_text(2)), fixed);
    EXPECT_EQ(fixed_text(synd_text(300)), fixed);
    EXPECT_EQ(fixed.rfind("`timescale 1ns/1ns\n\n\nmodule synd(\n", 0), 0U);
    const std::string last_lines = "   end    \nend\n\n\nendmodule  \n";
    EXPECT_EQ(fixed.substr(fixed.size() - last_lines.size()), last_lines);
    EXPECT_EQ(lines_of(fixed).size(), 198U); // lines besides the case items
}

} // namespace
} // namespace ipgen::rs
