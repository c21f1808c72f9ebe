#include "launcher/context_file.hpp"
#include "launcher/log_file.hpp"

#include "test_files.hpp"

#include <gtest/gtest.h>

namespace toolrun {
namespace {

TEST(ContextFile, KeyValueLines) {
    const auto context =
        parse_context_file("Root=C:\\cv\\\r\nBin=\nnoise\nSynplifyPath=C:\\a=b\nRoot=other");
    EXPECT_EQ(context.at("Root"), "C:\\cv\\");
    EXPECT_EQ(context.at("Bin"), "");
    EXPECT_EQ(context.at("SynplifyPath"), "C:\\a=b");
    EXPECT_EQ(context.count("noise"), 0u);
    EXPECT_EQ(context.count("root"), 0u);
}

TEST(ContextFile, CopyFailsWhenTheValueAndItsTerminatorDoNotFit) {
    const std::map<std::string, std::string> context = {{"A", std::string(258, 'a')},
                                                        {"B", std::string(259, 'b')}};
    EXPECT_EQ(copy_context_value(context, "A", 259), std::string(258, 'a'));
    EXPECT_EQ(copy_context_value(context, "B", 259), std::nullopt);
    EXPECT_EQ(copy_context_value(context, "B", 260), std::string(259, 'b'));
    EXPECT_EQ(copy_context_value(context, "C", 260), std::nullopt);
}

TEST(LogFile, CreatesThenAppendsAndStaysOpen) {
    ipgen::test::TempDir dir;
    ipgen::test::write_file(dir.file("toolrun.err"), "old\n");
    {
        LogFile log(dir.file("toolrun.err"));
        EXPECT_TRUE(log.append("one\n"));
        EXPECT_TRUE(log.append("two\n"));
    }
    EXPECT_EQ(ipgen::test::read_file(dir.file("toolrun.err")), "old\none\ntwo\n");

    LogFile fresh(dir.file("new.err"));
    EXPECT_TRUE(fresh.append("x\n"));
    EXPECT_EQ(ipgen::test::read_file(dir.file("new.err")), "x\n");

    LogFile nowhere(dir.file("missing/toolrun.err"));
    EXPECT_FALSE(nowhere.append("x\n"));
}

} // namespace
} // namespace toolrun
