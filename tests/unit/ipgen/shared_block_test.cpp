#include "ipgen/core_folder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace ipgen::front {
namespace {

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

const FolderFile* find_file(const std::vector<FolderFile>& files, const std::string& name) {
    const auto it = std::find_if(files.begin(), files.end(),
                                 [&](const FolderFile& file) { return file.name == name; });
    return it == files.end() ? nullptr : &*it;
}

// The stream block itself, listed as common/axis_queue.v by a core whose top
// instantiates it; the folder must hold it as <core>_axis_queue, and
// --prefix must rename that name again like any module of the folder.
TEST(SharedBlock, RenamedAfterTheCoreThenPrefixed) {
    const std::string block = read_file(IPGEN_SOURCE_DIR "/cores/common/axis_queue.v");
    ASSERT_NE(block.find("module axis_queue #("), std::string::npos);
    const std::string top = "`timescale 1ns/1ns\n"
                            "module rs_decoder_axis(input wire aclk);\n"
                            "    // the axis_queue ahead of m_axis\n"
                            "    wire axis_queue_full;\n"
                            "    axis_queue #(.WIDTH(9), .DEPTH(2)) u_axis_queue (.aclk(aclk));\n"
                            "endmodule\n";
    const std::string tb =
        "module tb_rs_decoder;\n    rs_decoder_axis dut (.aclk(1'b0));\nendmodule\n";
    const std::vector<EmbeddedFile> sources = {
        {"rs_decoder", "rtl", "common/axis_queue.v", block},
        {"rs_decoder", "rtl", "rs_decoder_axis.v", top},
        {"rs_decoder", "tb", "tb_rs_decoder.v", tb},
        {"rs_decoder", "doc", "README.md", "# decoder\n"},
    };
    struct Case {
        std::string prefix;
        std::string module; // the block's name in the folder
    };
    for (const Case& c :
         {Case{"", "rs_decoder_axis_queue"}, Case{"p_", "p_rs_decoder_axis_queue"}}) {
        SCOPED_TRACE("prefix '" + c.prefix + "'");
        FolderRequest request;
        request.build.name = "rs_decoder_x";
        request.build.top = "rs_decoder_axis";
        request.build.tb_top = "tb_rs_decoder";
        request.build.library = "rs";
        request.sources = sources;
        request.prefix = c.prefix;
        const std::vector<FolderFile> files = assemble_folder(request);

        for (const FolderFile& file : files) {
            EXPECT_EQ(file.name.find("common/"), std::string::npos) << file.name;
            EXPECT_NE(file.name, c.prefix + "axis_queue.v");
        }
        const FolderFile* renamed = find_file(files, c.module + ".v");
        ASSERT_NE(renamed, nullptr);
        EXPECT_EQ(renamed->role, FileRole::rtl);
        const FolderFile* core_top = find_file(files, c.prefix + "rs_decoder_axis.v");
        ASSERT_NE(core_top, nullptr);
        if (c.prefix.empty()) {
            // The module's name and nothing else changes, in the block and in
            // the core (instance names, comments, longer names kept).
            EXPECT_EQ(renamed->text,
                      replaced(block, "module axis_queue #(", "module " + c.module + " #("));
            EXPECT_EQ(core_top->text,
                      replaced(top, "    axis_queue #(", "    " + c.module + " #("));
        } else {
            EXPECT_NE(renamed->text.find("module " + c.module + " #("), std::string::npos);
            EXPECT_EQ(renamed->text.find("module axis_queue"), std::string::npos);
            EXPECT_NE(
                core_top->text.find("    " + c.module + " #(.WIDTH(9), .DEPTH(2)) u_axis_queue ("),
                std::string::npos)
                << core_top->text;
        }
        // Listed under its new name, before the core's top, everywhere.
        const FolderFile* list = find_file(files, c.prefix + "rs_decoder_x.f");
        ASSERT_NE(list, nullptr);
        EXPECT_NE(list->text.find(c.module + ".v\n" + c.prefix + "rs_decoder_axis.v\n"),
                  std::string::npos)
            << list->text;
        const FolderFile* makefile = find_file(files, "Makefile");
        ASSERT_NE(makefile, nullptr);
        EXPECT_NE(makefile->text.find(" " + c.module + ".v "), std::string::npos);
    }
}

} // namespace
} // namespace ipgen::front
