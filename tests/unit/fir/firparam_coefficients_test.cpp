#include "generators/common/fatal_error.hpp"
#include "generators/firparam/coefficients.hpp"
#include "generators/firparam/replace_file.hpp"
#include "generators/firparam/user_params.hpp"
#include "generators/firparam/validation.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace ipgen::fir::param {
namespace {

TEST(Pow2, ThirtyTwoBitPowers) {
    EXPECT_EQ(pow2(0), 1u);
    EXPECT_EQ(pow2(31), 0x80000000u);
    EXPECT_EQ(pow2(32), 0u);
    EXPECT_EQ(pow2(-1), 1u);
}

// One decimal value converted by firparam at adjusted width w: its digits
// and whether it was reported.
std::pair<std::string, bool> convert(std::int64_t v, int w, bool unsigned_mode) {
    DecimalCoefficients dec;
    if (unsigned_mode) {
        dec.unsigned_values.push_back(static_cast<std::uint64_t>(v));
    } else {
        dec.values.push_back(v);
    }
    const auto codes = coefficient_codes(dec, w, unsigned_mode);
    return {itohex(codes.at(0).code, w, DigitCase::lower), codes.at(0).out_of_range};
}

using Hex = std::pair<std::string, bool>;

TEST(FirparamConversion, SignedWidth8) {
    EXPECT_EQ(convert(-1, 8, false), Hex("ff", false));
    EXPECT_EQ(convert(127, 8, false), Hex("7f", false));
    EXPECT_EQ(convert(-128, 8, false), Hex("80", false));
    EXPECT_EQ(convert(-129, 8, false), Hex("7f", true));
    EXPECT_EQ(convert(-300, 8, false), Hex("d4", true)); // full + v wraps below zero
    EXPECT_EQ(convert(128, 8, false), Hex("80", true));
}

TEST(FirparamConversion, UnsignedUserWidth8IsNineBits) {
    EXPECT_EQ(convert(255, 9, true), Hex("0ff", false));
    EXPECT_EQ(convert(256, 9, true), Hex("100", true));
    EXPECT_EQ(convert(0, 9, true), Hex("000", false));
}

TEST(FirparamConversion, Width32) {
    EXPECT_EQ(convert(-1, 32, false), Hex("ffffffff", true)); // 2^32 is 0 in 32 bits
    EXPECT_EQ(convert(0x7FFFFFFF, 32, false), Hex("7fffffff", false));
}

std::string refusal(const UserFileRead& read) {
    try {
        validate_user_file(read);
        FirUserParams p = read.params;
        const FirParamDerived d = OnUpdate(p);
        validate_fixed_coefficients(p, d);
    } catch (const FatalError& error) {
        EXPECT_EQ(error.status(), 2);
        return error.message();
    }
    return "";
}

UserFileRead file_of(const std::string& text) {
    const UserParamLines lines = read_user_param_lines(text);
    return {params_from_lines(lines), lines};
}

TEST(FirparamValidation, RefusedValues) {
    EXPECT_EQ(refusal({default_params(), std::nullopt}), "");
    EXPECT_EQ(refusal(file_of("8\n8\n6\n19\n0\n0\n0\n0\n0\n0\n")), ""); // lines 11-14 read as 0
    EXPECT_EQ(refusal(file_of("8\n8\n0\n19\n")),
              "firparam: user_params.txt line 3 (Number of taps): 0; accepted: 1 or more taps\n");
    EXPECT_EQ(refusal(file_of("8\n// width\n6\n19\n")),
              "firparam: user_params.txt line 2 (Coeff width): no number, taken as 0; "
              "accepted: 1 or more bits\n");
    EXPECT_EQ(refusal(file_of("8\n8\n6\n-4\n")),
              "firparam: user_params.txt line 4 (Output width): -4; accepted: 1 or more bits\n");
    EXPECT_EQ(refusal(file_of("8\n8\n128\n19\n0\n0\n1\n")), ""); // 64 symmetric
    EXPECT_EQ(refusal(file_of("8\n8\n130\n19\n")),
              "firparam: user_params.txt: 130 fixed coefficients (NUM_COEFFS); accepted: at "
              "most 64\n");
    EXPECT_EQ(refusal(file_of("8\n8\n130\n19\n0\n1\n")), ""); // loadable
    EXPECT_EQ(refusal(file_of("8\n32\n6\n19\n0\n0\n0\n0\n1\n")),
              "firparam: user_params.txt line 2 (Coeff width): 32; accepted: 1 to 32 bits for "
              "fixed coefficients (31 with unsigned arithmetic)\n");
    EXPECT_NE(refusal(file_of("8\n8" + std::string(100, ' ') + "\n6\n19\n"))
                  .find("line 2 (Coeff width): 100 characters after the number"),
              std::string::npos);
}

// A write that fails part-way: the file size limit stops it after a few
// bytes (as a full disk would).
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, old_handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_{};
    void (*old_handler_)(int) = nullptr;
};

TEST(ReplaceFile, AFailedWriteLeavesTheOldFileAndNoTemporary) {
    test::TempDir dir;
    const std::string path = dir.file("user_params.txt");
    const std::string old_text = "12   // Tap width\n";
    test::write_file(path, old_text);
    {
        FileSizeLimit limit(8);
        EXPECT_EQ(replace_file(path, std::string(100, 'x')), ReplaceResult::cannot_write);
    }
    EXPECT_EQ(test::read_file(path), old_text);
    EXPECT_EQ(test::list_directory(dir.path()), std::vector<std::string>{"user_params.txt"});
    EXPECT_EQ(replace_file(path, "new\n"), ReplaceResult::replaced);
    EXPECT_EQ(test::read_file(path), "new\n");
    EXPECT_EQ(test::list_directory(dir.path()), std::vector<std::string>{"user_params.txt"});
}

TEST(ReplaceFile, AMissingDirectoryFails) {
    test::TempDir dir;
    EXPECT_EQ(replace_file(dir.file("none/user_params.txt"), "x"), ReplaceResult::cannot_create);
}

TEST(UserParamsText, TheFourteenLinesInTheirFormats) {
    FirUserParams p = default_params();
    p.m_nArithmeticType = 1;
    const std::string text = user_params_text(p);
    EXPECT_EQ(text.substr(0, 42), "8   // Tap width\n8   // Coeff width\n6   //");
    EXPECT_NE(text.find("\n1   // Arithmetic type: 0-signed, 1-unsigned\n"), std::string::npos);
    EXPECT_EQ(params_from_lines(read_user_param_lines(text)), p);
}

} // namespace
} // namespace ipgen::fir::param
