#include "generators/firgen/coefficient_string.hpp"

#include "generators/common/fatal_error.hpp"

namespace ipgen::fir::gen {

double pow2(double base, int exponent, TextSink& console) {
    if (exponent < 0) {
        console.print("POW function not supported !\n");
        return 1.0;
    }
    double result = 1.0;
    for (int i = 0; i < exponent; ++i) {
        result *= base;
    }
    return result;
}

bool OnGenCinHex(const DecimalCoefficients& dec, int W, bool u, TextSink& console) {
    const auto half = static_cast<std::int64_t>(pow2(2, W - 1, console));
    const auto full = static_cast<std::int64_t>(pow2(2, W, console));
    std::vector<CoefficientCode> codes;
    if (u) {
        for (const std::uint64_t v : dec.unsigned_values) {
            codes.push_back(unsigned_code(v, static_cast<std::uint64_t>(full)));
        }
    } else {
        for (const std::int64_t v : dec.values) {
            codes.push_back(signed_code(v, half, full));
        }
    }
    return write_hex_file(real_coefficient_files, dec.opened, codes, W, DigitCase::upper, false,
                          console);
}

bool OnGenCinHexCmplx(const DecimalCoefficients& dec, int W, TextSink& console) {
    const auto half = static_cast<std::int64_t>(pow2(2, W - 1, console));
    const auto full = static_cast<std::int64_t>(pow2(2, W, console));
    std::vector<CoefficientCode> codes;
    for (const std::int64_t v : dec.values) {
        codes.push_back(signed_code(v, half, full));
    }
    return write_hex_file(complex_coefficient_files, dec.opened, codes, W, DigitCase::upper, true,
                          console);
}

std::string coeffval2str(const std::vector<std::uint32_t>& values, int W) {
    std::string text;
    if (W <= 0) {
        return text;
    }
    const auto count = static_cast<std::int64_t>(values.size());
    std::uint64_t carry = 0;     // c: bits that do not yet fill a digit
    std::int64_t carry_bits = 0; // r
    std::int64_t digits_before = 0;
    for (std::int64_t k = 0; k < count; ++k) {
        const std::uint64_t v = values[static_cast<std::size_t>(count - 1 - k)];
        const std::uint64_t a = (v << carry_bits) + carry;
        const std::int64_t digits = ((k + 1) * W) / 4; // d(k): whole digits so far
        const std::int64_t m = digits - digits_before;
        digits_before = digits;
        carry_bits = (k + 1) * W - 4 * digits;
        carry = 4 * m < 64 ? a >> (4 * m) : 0;
        const std::uint64_t low = 4 * m < 64 ? a - (carry << (4 * m)) : a;
        text.insert(0, itohex(low, static_cast<int>(4 * m), DigitCase::upper));
    }
    if (carry != 0) {
        text.insert(0, itohex(carry, static_cast<int>(carry_bits), DigitCase::upper));
    }
    return text;
}

namespace {

CoefficientString unusable(const char* file, const HexCoefficients<std::uint32_t>& hex, int n,
                           TextSink& console) {
    console.print("Error reading %s: no hexadecimal coefficient on line %d; %d needed\n", file,
                  hex.bad_line.value_or(0), n);
    return {};
}

} // namespace

CoefficientString pack_real(const HexCoefficients<std::uint32_t>& hex, int n, int W, bool u,
                            TextSink& console) {
    if (!hex.opened) {
        console.print("Error opening %s\n", real_coefficient_files.hex);
        return {};
    }
    if (hex.bad_line) {
        return unusable(real_coefficient_files.hex, hex, n, console);
    }
    if (u) {
        const double top = pow2(2, W, console) - 1;
        for (const std::uint32_t value : hex.values) {
            if (static_cast<double>(value) > top) {
                return {std::nullopt, true};
            }
        }
    }
    return {coeffval2str(hex.values, W), false};
}

CoefficientString pack_cmplx(const HexCoefficients<std::uint32_t>& hex, int n, int W,
                             TextSink& console) {
    if (!hex.opened) {
        console.print("Error opening %s\n", complex_coefficient_files.hex);
        return {};
    }
    if (hex.bad_line) {
        return unusable(complex_coefficient_files.hex, hex, n, console);
    }
    return {coeffval2str(hex.values, W), false};
}

CoefficientString readcoeff_real(int n, int W, bool u, TextSink& console) {
    return pack_real(read_hex_values(real_coefficient_files, n, false), n, W, u, console);
}

CoefficientString readcoeff_cmplx(int n, int W, TextSink& console) {
    return pack_cmplx(read_hex_values(complex_coefficient_files, n, true), n, W, console);
}

std::string coefficient_string(const FirGenParams& p, const FirGenKeywords& k,
                               const FirGenDerived& d, TextSink& console, RunStatus& status) {
    const int n = static_cast<int>(d.num_coeffs);
    const int w = p.data_width;
    const bool real = k.data_type == "REAL_DATA_TYPE";
    const bool u = p.arithmetic_index != 0;
    const DecimalLayout layout = !real ? DecimalLayout::complex_pairs
                                 : u   ? DecimalLayout::unsigned_values
                                       : DecimalLayout::signed_values;
    const DecimalCoefficients dec = read_checked_decimals(n, layout, "firgen");
    CoefficientString packed;
    if (real) {
        status.step(OnGenCinHex(dec, w, u, console));
        packed = readcoeff_real(n, w, u, console);
    } else {
        status.step(OnGenCinHexCmplx(dec, w, console));
        packed = readcoeff_cmplx(n, w, console);
    }
    if (packed.out_of_range_exit) {
        throw FatalError("coeff data out of range; exiting\n", 1);
    }
    if (!packed.text) {
        throw FatalError("No coefficient values for COEFF_VALUE; parameters.v not written\n", 1);
    }
    return *packed.text;
}

} // namespace ipgen::fir::gen
