// The coefficient files of a FIR core with fixed coefficients. The user
// writes decimal values, one per line ("cin.dec") or one pair per line
// ("cin_cmplx.dec", first and second value separated by a tab); both
// programs convert them to fixed-width hexadecimal ("cin.hex",
// "cin_cmplx.hex"). Every read format ends in a line end, which matches any
// white space, so values may in fact be separated by any white space; the
// first `count` values (pairs) are read and the rest of a file is ignored.
#pragma once

#include "generators/common/text_sink.hpp"
#include "generators/fir_common/coefficient_code.hpp"
#include "generators/fir_common/itohex.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ipgen::fir {

struct CoefficientFiles {
    const char* dec;
    const char* hex;
};
inline constexpr CoefficientFiles real_coefficient_files{"cin.dec", "cin.hex"};
inline constexpr CoefficientFiles complex_coefficient_files{"cin_cmplx.dec", "cin_cmplx.hex"};

// The core's fixed-coefficient tables hold 64 coefficients (64 pairs).
inline constexpr int max_fixed_coefficients = 64;

enum class DecimalLayout {
    signed_values,   // "%ld\n"
    unsigned_values, // "%lu\n"
    complex_pairs,   // "%ld\t%ld\n"
};

// The decimal file as the conversion reads it.
struct DecimalCoefficients {
    bool opened = false;
    std::vector<std::int64_t> values;           // signed reads; pairs flattened first, second
    std::vector<std::uint64_t> unsigned_values; // unsigned reads
    std::optional<int> bad_line; // the line where a needed value is missing or not a number
};

DecimalCoefficients parse_decimal_coefficients(std::string_view text, int count,
                                               DecimalLayout layout);

// Reads files.dec; `opened` is false when it cannot be opened.
DecimalCoefficients read_decimal_coefficients(const CoefficientFiles& files, int count,
                                              DecimalLayout layout);

// The decimal file of the layout (cin_cmplx.dec for pairs, else cin.dec),
// read before anything is written. A file that opens but lacks one of the
// `count` values (pairs) ends the run: "<program>: cin.dec line N: no
// decimal coefficient; accepted: ...", exit status 2.
DecimalCoefficients read_checked_decimals(int count, DecimalLayout layout,
                                          std::string_view program);

// The hex file read back: as numbers ("%x\n", "%x\t%x\n"; firgen) or as
// tokens ("%s\n", "%s\t%s\n"; firparam). Pairs are flattened.
template <typename T>
struct HexCoefficients {
    bool opened = false;
    std::vector<T> values;
    std::optional<int> bad_line; // where a needed value is missing (or not hexadecimal)
};

HexCoefficients<std::uint32_t> parse_hex_values(std::string_view text, int count, bool pairs);
HexCoefficients<std::string> parse_hex_tokens(std::string_view text, int count, bool pairs);
HexCoefficients<std::uint32_t> read_hex_values(const CoefficientFiles& files, int count,
                                               bool pairs);
HexCoefficients<std::string> read_hex_tokens(const CoefficientFiles& files, int count, bool pairs);

// The lines of the hex file: each code as itohex(code, width), one per line
// ("%s\n") or two per line ("%s\t%s\n"). Every out-of-range code prints the
// range warning on `console` as it is converted.
void write_hex_lines(TextSink& hex, TextSink& console, const std::vector<CoefficientCode>& codes,
                     int width, DigitCase digits, bool pairs);

// firgen's conversion step, given the decimal file as read: "Error opening
// <dec>" when it could not be opened, "Error opening <hex>" when the hex
// file cannot be created; otherwise the hex file is written in place
// (firparam replaces it through a temporary file instead).
// False when the hex file could not be created or written completely (the
// run goes on, but must not end as a success: a stale or cut-off hex file
// no longer matches the decimal one).
bool write_hex_file(const CoefficientFiles& files, bool decimal_opened,
                    const std::vector<CoefficientCode>& codes, int width, DigitCase digits,
                    bool pairs, TextSink& console);

} // namespace ipgen::fir
