#include "generators/fir_common/coefficient_files.hpp"

#include "generators/common/input_file.hpp"
#include "generators/common/output_file.hpp"
#include "generators/fir_common/c_text_reader.hpp"
#include "generators/fir_common/user_params_file.hpp"

namespace ipgen::fir {

namespace {

// `reads` values, each read with `scan` and followed by a white-space
// directive (the "\n" or "\t" of the C format). Returns the line where a
// value is missing or not of the scanned kind.
template <typename T, typename Scan>
std::optional<int> scan_values(std::string_view text, int reads, std::vector<T>& values,
                               Scan scan) {
    CTextReader reader(text);
    for (int k = 0; k < reads; ++k) {
        auto value = scan(reader);
        if (!value) {
            return reader.line();
        }
        values.push_back(std::move(*value));
        reader.skip_space();
    }
    return std::nullopt;
}

template <typename Result, typename Parse>
Result parse_file(const char* name, Parse parse) {
    const InputText text = read_input_file(name);
    return text.ok() ? parse(text.text) : Result{};
}

} // namespace

DecimalCoefficients parse_decimal_coefficients(std::string_view text, int count,
                                               DecimalLayout layout) {
    DecimalCoefficients result;
    result.opened = true;
    const int reads = layout == DecimalLayout::complex_pairs ? 2 * count : count;
    if (layout == DecimalLayout::unsigned_values) {
        result.bad_line = scan_values(text, reads, result.unsigned_values, [](CTextReader& r) {
            const auto v = r.scan_ulong();
            return v ? std::optional(v->value) : std::nullopt;
        });
    } else {
        result.bad_line = scan_values(text, reads, result.values, [](CTextReader& r) {
            const auto v = r.scan_long();
            return v ? std::optional(v->value) : std::nullopt;
        });
    }
    return result;
}

DecimalCoefficients read_decimal_coefficients(const CoefficientFiles& files, int count,
                                              DecimalLayout layout) {
    return parse_file<DecimalCoefficients>(files.dec, [&](std::string_view text) {
        return parse_decimal_coefficients(text, count, layout);
    });
}

DecimalCoefficients read_checked_decimals(int count, DecimalLayout layout,
                                          std::string_view program) {
    const bool pairs = layout == DecimalLayout::complex_pairs;
    const CoefficientFiles& files = pairs ? complex_coefficient_files : real_coefficient_files;
    DecimalCoefficients dec = read_decimal_coefficients(files, count, layout);
    if (dec.bad_line) {
        refuse(program, std::string(files.dec) + " line " + std::to_string(*dec.bad_line) +
                            ": no decimal coefficient; accepted: " + std::to_string(count) +
                            (pairs ? " pairs of decimal numbers, one pair per line"
                                   : " decimal numbers, one per line"));
    }
    return dec;
}

HexCoefficients<std::uint32_t> parse_hex_values(std::string_view text, int count, bool pairs) {
    HexCoefficients<std::uint32_t> result;
    result.opened = true;
    result.bad_line =
        scan_values(text, pairs ? 2 * count : count, result.values, [](CTextReader& r) {
            const auto v = r.scan_hex();
            return v ? std::optional(v->value) : std::nullopt;
        });
    return result;
}

HexCoefficients<std::string> parse_hex_tokens(std::string_view text, int count, bool pairs) {
    HexCoefficients<std::string> result;
    result.opened = true;
    result.bad_line = scan_values(text, pairs ? 2 * count : count, result.values,
                                  [](CTextReader& r) { return r.scan_token(); });
    return result;
}

HexCoefficients<std::uint32_t> read_hex_values(const CoefficientFiles& files, int count,
                                               bool pairs) {
    return parse_file<HexCoefficients<std::uint32_t>>(
        files.hex, [&](std::string_view text) { return parse_hex_values(text, count, pairs); });
}

HexCoefficients<std::string> read_hex_tokens(const CoefficientFiles& files, int count, bool pairs) {
    return parse_file<HexCoefficients<std::string>>(
        files.hex, [&](std::string_view text) { return parse_hex_tokens(text, count, pairs); });
}

void write_hex_lines(TextSink& hex, TextSink& console, const std::vector<CoefficientCode>& codes,
                     int width, DigitCase digits, bool pairs) {
    const std::size_t step = pairs ? 2 : 1;
    for (std::size_t k = 0; k + step <= codes.size(); k += step) {
        for (std::size_t j = k; j < k + step; ++j) {
            if (codes[j].out_of_range) {
                console.print("%s", range_warning);
            }
        }
        if (pairs) {
            hex.print("%s\t%s\n", itohex(codes[k].code, width, digits).c_str(),
                      itohex(codes[k + 1].code, width, digits).c_str());
        } else {
            hex.print("%s\n", itohex(codes[k].code, width, digits).c_str());
        }
    }
}

bool write_hex_file(const CoefficientFiles& files, bool decimal_opened,
                    const std::vector<CoefficientCode>& codes, int width, DigitCase digits,
                    bool pairs, TextSink& console) {
    if (!decimal_opened) {
        console.print("Error opening %s\n", files.dec);
        return true;
    }
    OutputFile hex(files.hex);
    if (!hex.is_open()) {
        console.print("Error opening %s\n", files.hex);
        return false;
    }
    write_hex_lines(hex, console, codes, width, digits, pairs);
    if (!hex.close()) {
        console.print("Error writing %s\n", files.hex);
        return false;
    }
    return true;
}

} // namespace ipgen::fir
