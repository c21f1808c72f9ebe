// The coefficient conversion of both FIR programs: any bytes as cin.dec or
// cin_cmplx.dec, converted to the hex lines (firgen's upper-case and
// firparam's lower-case digits), read back as values and as tokens, and
// packed into firgen's coefficient string; the same bytes are also packed
// as if they were the hex file. The first two bytes choose the layout, the
// width W (1 to 32) and the count n (1 to 64).
#include "fuzz/fuzz_input.hpp"
#include "generators/common/text_sink.hpp"
#include "generators/fir_common/coefficient_code.hpp"
#include "generators/fir_common/coefficient_files.hpp"
#include "generators/fir_common/itohex.hpp"
#include "generators/firgen/coefficient_string.hpp"
#include "generators/firparam/coefficients.hpp"

#include <string_view>

using namespace ipgen;
using namespace ipgen::fir;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const auto layout = static_cast<DecimalLayout>(data[0] % 3);
    const bool pairs = layout == DecimalLayout::complex_pairs;
    const bool unsigned_mode = layout == DecimalLayout::unsigned_values;
    const int width = 1 + (data[0] / 3) % 32;
    const int count = 1 + data[1] % max_fixed_coefficients;
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    try {
        const DecimalCoefficients dec = parse_decimal_coefficients(text, count, layout);
        if (dec.bad_line) {
            return 0; // refused by read_checked_decimals before anything is written
        }
        StringSink console;
        const std::vector<CoefficientCode> codes =
            param::coefficient_codes(dec, width, unsigned_mode);
        for (const DigitCase digits : {DigitCase::upper, DigitCase::lower}) {
            StringSink hex;
            write_hex_lines(hex, console, codes, width, digits, pairs);
            const auto values = parse_hex_values(hex.text(), count, pairs);
            const auto tokens = parse_hex_tokens(hex.text(), count, pairs);
            if (values.bad_line || tokens.bad_line) {
                __builtin_trap(); // the hex file just written must read back whole
            }
            if (pairs) {
                gen::pack_cmplx(values, count, width, console);
            } else {
                gen::pack_real(values, count, width, unsigned_mode, console);
            }
        }
        // A hand-made hex file.
        const auto values = parse_hex_values(text, count, pairs);
        if (pairs) {
            gen::pack_cmplx(values, count, width, console);
        } else {
            gen::pack_real(values, count, width, unsigned_mode, console);
        }
    } catch (const FatalError& error) {
        fuzz::check_refusal(error);
    }
    return 0;
}
