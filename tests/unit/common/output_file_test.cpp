#include "generators/common/fatal_error.hpp"
#include "generators/common/generated_file.hpp"
#include "generators/common/header_copy.hpp"
#include "generators/common/output_file.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

namespace ipgen {
namespace {

using test::read_file;
using test::TempDir;
using test::write_file;

TEST(OutputFile, WritesFormattedText) {
    TempDir dir;
    OutputFile file(dir.file("a.v"));
    ASSERT_TRUE(file.is_open());
    file.print("assign x[%d] = %s ;\n", 3, "y[1]");
    file.write(std::string(1000, 'z'));
    EXPECT_TRUE(file.close());
    EXPECT_EQ(read_file(dir.file("a.v")), "assign x[3] = y[1] ;\n" + std::string(1000, 'z'));
}

TEST(OutputFile, FullDiskIsReportedAtClose) {
    TempDir dir;
    ASSERT_EQ(::symlink("/dev/full", dir.file("full.v").c_str()), 0);
    OutputFile file(dir.file("full.v"));
    ASSERT_TRUE(file.is_open());
    file.write("module m; endmodule\n");
    EXPECT_FALSE(file.close());
}

TEST(OutputFile, MissingDirectoryCannotBeCreated) {
    TempDir dir;
    try {
        create_output(dir.file("no/such/dir.v"));
        FAIL() << "expected a FatalError";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.message(), "Cannot open " + dir.file("no/such/dir.v") + "\n");
        EXPECT_EQ(error.status(), 1);
    }
}

TEST(HeaderCopy, CopiesLongLinesAndMissingLineEndVerbatim) {
    TempDir dir;
    const std::string header = "// " + std::string(450, '#') + "\r\n\n`include \"x.v\"";
    write_file(dir.file("header.v"), header);
    StringSink sink;
    copy_header(sink, dir.file("header.v"));
    EXPECT_EQ(sink.text(), header);
}

TEST(HeaderCopy, MissingHeaderEndsTheRun) {
    TempDir dir;
    StringSink sink;
    try {
        copy_header(sink, dir.file("header.v"));
        FAIL() << "expected a FatalError";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.message(), "Cannot open header.v\n");
        EXPECT_EQ(error.status(), 1);
    }
}

TEST(GeneratedFile, FailedWriteNamesTheFile) {
    TempDir dir;
    ASSERT_EQ(::symlink("/dev/full", dir.file("gfile").c_str()), 0);
    try {
        write_generated_file(dir.file("gfile"), WithHeader::no,
                             [](TextSink& out) { out.write("0 1 0 \n"); });
        FAIL() << "expected a FatalError";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.message(), "Cannot open " + dir.file("gfile") + "\n");
    }
}

} // namespace
} // namespace ipgen

namespace ipgen {
namespace {

TEST(HeaderCopy, EndlessHeaderIsRefusedInsteadOfFillingTheDisk) {
    test::TempDir dir;
    ASSERT_EQ(::symlink("/dev/zero", dir.file("header.v").c_str()), 0);
    struct CountingSink final : TextSink {
        size_t bytes = 0;
        void write(std::string_view text) override { bytes += text.size(); }
    } sink;
    try {
        copy_header(sink, dir.file("header.v"));
        FAIL() << "expected a FatalError";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.message(), "Cannot open header.v\n");
    }
    EXPECT_LE(sink.bytes, size_t{16} << 20);
}

} // namespace
} // namespace ipgen
