#include "generators/common/input_file.hpp"
#include "generators/common/printable.hpp"

#include <gtest/gtest.h>

namespace ipgen {
namespace {

// Only a regular file is an input: a device is refused at once, whether it
// never ends (/dev/zero) or ends at once (/dev/null).
TEST(ReadInputFile, OnlyARegularFileWithinTheCap) {
    EXPECT_EQ(read_input_file("/dev/zero").failure, InputFailure::not_regular);
    EXPECT_EQ(read_input_file("/dev/null").cause, "not a regular file");
    EXPECT_EQ(read_input_file("/").failure, InputFailure::not_regular);
    const InputText missing = read_input_file("/nonexistent/user_params.txt");
    EXPECT_EQ(missing.failure, InputFailure::missing);
    EXPECT_EQ(missing.cause, "No such file or directory");
    const InputText self = read_input_file("/proc/self/status", 1 << 20);
    ASSERT_TRUE(self.ok()) << self.cause; // a size of 0 that still has text
    EXPECT_NE(self.text.find("Name:"), std::string::npos);
    const InputText capped = read_input_file("/proc/self/status", 16);
    EXPECT_EQ(capped.failure, InputFailure::too_large);
    EXPECT_EQ(capped.text, "");
}

TEST(Printable, ControlCharactersAreEscaped) {
    EXPECT_EQ(printable("-w"), "-w");
    EXPECT_EQ(printable("\x1b[2J\r\n\t\x7f\x01"), "\\x1b[2J\\r\\n\\t\\x7f\\x01");
    EXPECT_EQ(printable("gr\xc3\xbc\xc3\x9f"), "gr\xc3\xbc\xc3\x9f"); // UTF-8 stays
    EXPECT_EQ(printable(std::string_view("a\0b", 3)), "a\\x00b");
}

} // namespace
} // namespace ipgen
