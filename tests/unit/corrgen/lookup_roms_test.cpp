// gfinvrom.v and gfromxp.v, the decoder's two look-up ROMs.
#include "generators/corrgen/gfinvrom.hpp"
#include "generators/corrgen/gfromxp.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace ipgen::rs {
namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The case items of a ROM as (address, value) digit pairs.
std::vector<std::pair<std::string, std::string>> rom_items(const std::string& text, int m) {
    std::vector<std::pair<std::string, std::string>> items;
    std::istringstream lines(text);
    const std::string width = std::to_string(m) + "'b";
    const std::string head = "      " + width;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(head, 0) != 0) {
            continue;
        }
        const std::string address = line.substr(head.size(), static_cast<size_t>(m));
        const std::string value =
            line.size() >= head.size() + 2 * static_cast<size_t>(m) + 2
                ? line.substr(line.size() - 2 - static_cast<size_t>(m), static_cast<size_t>(m))
                : std::string();
        EXPECT_EQ(line, head + address + " : romout = " + width + value + " ;");
        items.emplace_back(address, value);
    }
    return items;
}

using Items = std::vector<std::pair<std::string, std::string>>;

TEST(LookupRoms, InverseRomInExponentOrder) {
    StringSink sink;
    write_gfinvrom(sink, build_field(3, 11));
    EXPECT_EQ(rom_items(sink.text(), 3), (Items{{"001", "001"},
                                                {"010", "101"},
                                                {"100", "111"},
                                                {"011", "110"},
                                                {"110", "011"},
                                                {"111", "100"},
                                                {"101", "010"},
                                                {"000", "000"}}));
    EXPECT_TRUE(contains(sink.text(), "module gfinvrom(\n"));
    EXPECT_TRUE(contains(sink.text(), "      3'b000 : romout = 3'b000 ;\n"
                                      "      default : romout = 3'b000 ;\n"
                                      "    endcase \n\n\nendmodule \n"));
}

TEST(LookupRoms, PowerRomIsTheAntilogTableForRootspaceOne) {
    StringSink sink;
    write_gfromxp(sink, build_field(3, 11), 1);
    EXPECT_EQ(rom_items(sink.text(), 3), (Items{{"000", "001"},
                                                {"001", "010"},
                                                {"010", "100"},
                                                {"011", "011"},
                                                {"100", "110"},
                                                {"101", "111"},
                                                {"110", "101"},
                                                {"111", "001"}}));
    EXPECT_TRUE(contains(sink.text(), "module gfromxp(\n"));
}

TEST(LookupRoms, PowerRomOfRootspaceZeroIsAllOnes) {
    StringSink sink;
    write_gfromxp(sink, build_field(8, 285), 0);
    const Items items = rom_items(sink.text(), 8);
    ASSERT_EQ(items.size(), 256U);
    for (const auto& [address, value] : items) {
        EXPECT_EQ(value, "00000001") << address;
    }
}

} // namespace
} // namespace ipgen::rs
