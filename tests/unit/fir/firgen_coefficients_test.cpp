#include "generators/firgen/coefficient_string.hpp"

#include <gtest/gtest.h>

namespace ipgen::fir::gen {
namespace {

TEST(Coeffval2str, PackingExamples) {
    EXPECT_EQ(coeffval2str({1, 2, 3}, 6), "1083"); // top two bits zero: no fifth digit
    EXPECT_EQ(coeffval2str({63}, 6), "3F");        // one whole digit and the carry digit
    EXPECT_EQ(coeffval2str({5}, 6), "5");
    EXPECT_EQ(coeffval2str({1, 2, 3}, 8), "010203");
    EXPECT_EQ(coeffval2str({10, 5}, 4), "A5");
    EXPECT_EQ(coeffval2str({1, 255}, 8), "01FF");
    EXPECT_EQ(coeffval2str({5}, 8), "05");
    EXPECT_EQ(coeffval2str({0x123, 0xFFF}, 12), "123FFF");
    EXPECT_EQ(coeffval2str({0x3FF, 0x001}, 10), "FFC01"); // 20 bits, five digits
    EXPECT_EQ(coeffval2str({0xFFFFFFFF, 1}, 32), "FFFFFFFF00000001");
    EXPECT_EQ(coeffval2str({0x7FFFFFFF, 0x7FFFFFFF}, 31), "3FFFFFFFFFFFFFFF");
}

TEST(Coeffval2str, BitsAboveTheWidthAddIntoTheNextValue) {
    // 0x100 does not fit 8 bits: its ninth bit lands in the value above.
    EXPECT_EQ(coeffval2str({1, 0x100}, 8), "0200");
}

TEST(Pow2, PowersOfTwoAndTheNegativeExponent) {
    StringSink console;
    EXPECT_EQ(pow2(2, 0, console), 1.0);
    EXPECT_EQ(pow2(2, 32, console), 4294967296.0);
    EXPECT_EQ(console.text(), "");
    EXPECT_EQ(pow2(2, -1, console), 1.0);
    EXPECT_EQ(console.text(), "POW function not supported !\n");
}

HexCoefficients<std::uint32_t> hex_of(std::vector<std::uint32_t> values) {
    HexCoefficients<std::uint32_t> hex;
    hex.opened = true;
    hex.values = std::move(values);
    return hex;
}

TEST(PackReal, SignedValuesAreTakenAsRead) {
    StringSink console;
    const auto packed = pack_real(hex_of({1, 2, 3}), 3, 8, false, console);
    EXPECT_EQ(packed.text, "010203");
    EXPECT_EQ(console.text(), "");
}

TEST(PackReal, UnsignedValueAboveTheWidthStopsThePacking) {
    StringSink console;
    const auto packed = pack_real(hex_of({5, 100, 7}), 3, 6, true, console);
    EXPECT_FALSE(packed.text);
    EXPECT_TRUE(packed.out_of_range_exit);
    EXPECT_EQ(console.text(), ""); // the run ends with the message
    StringSink quiet;
    EXPECT_EQ(pack_real(hex_of({0, 63}), 2, 6, true, quiet).text, "03F");
    // 256 in unsigned W = 8 was written as 00 and reads back as 0.
    EXPECT_EQ(pack_real(hex_of({0xFF, 0}), 2, 8, true, quiet).text, "FF00");
}

TEST(PackReal, MissingOrIncompleteHexFile) {
    StringSink console;
    EXPECT_FALSE(pack_real({}, 3, 8, false, console).text);
    EXPECT_EQ(console.text(), "Error opening cin.hex\n");
    StringSink short_file;
    auto hex = hex_of({1});
    hex.bad_line = 2;
    const auto packed = pack_real(hex, 3, 8, false, short_file);
    EXPECT_FALSE(packed.text);
    EXPECT_FALSE(packed.out_of_range_exit);
    EXPECT_EQ(short_file.text(),
              "Error reading cin.hex: no hexadecimal coefficient on line 2; 3 needed\n");
}

TEST(PackCmplx, APairPacksFirstThenSecond) {
    StringSink console;
    EXPECT_EQ(pack_cmplx(hex_of({0x01, 0xFF}), 1, 8, console).text, "01FF");
    EXPECT_EQ(pack_cmplx(hex_of({1, 2, 3, 4}), 2, 4, console).text, "1234");
    EXPECT_FALSE(pack_cmplx({}, 1, 8, console).text);
    EXPECT_EQ(console.text(), "Error opening cin_cmplx.hex\n");
}

} // namespace
} // namespace ipgen::fir::gen
