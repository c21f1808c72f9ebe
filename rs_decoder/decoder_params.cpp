#include "rs_decoder/decoder_params.hpp"

#include "common/fatal_error.hpp"
#include "rs_decoder/galois_field.hpp"

#include <numeric>

namespace ipgen::rs {

namespace {

constexpr int refused_status = 2;

[[noreturn]] void refuse(const std::string& message) {
    throw FatalError("corrgen: " + message + "\n", refused_status);
}

[[noreturn]] void refuse_value(const SwitchScan& scan, char letter, const std::string& accepted) {
    const SwitchValue& v = scan.values.at(letter);
    refuse(std::string("-") + letter + " " + v.text + ": " + accepted);
}

} // namespace

void validate_decoder_switches(const SwitchScan& scan) {
    if (scan.missing_value) {
        refuse("switch " + *scan.missing_value + " is the last argument and has no value; " +
               "accepted: a decimal number after every switch");
    }
    for (const char letter : std::string("wnkfghyoc")) {
        if (!scan.has(letter)) {
            throw FatalError(std::string("corrgen: switch -") + letter +
                                 " is missing; every switch but -e is required\n" + decoder_usage,
                             refused_status);
        }
    }
    for (const auto& [letter, value] : scan.values) {
        if (value.out_of_range) {
            refuse_value(scan, letter, "beyond the 32-bit integer range");
        }
    }

    const int m = scan.get('w');
    if (m < 2 || m > 12) {
        refuse_value(scan, 'w', "accepted: 2 to 12 bits per symbol");
    }
    const int nlong = int_power(2, m) - 1;
    const int poly = scan.get('f');
    if (poly < 0 || (poly >> (m + 1)) != 0 || !is_primitive(m, poly)) {
        refuse_value(scan, 'f',
                     "not a primitive field polynomial of degree " + std::to_string(m) +
                         "; accepted: x^" + std::to_string(m) +
                         " plus lower terms that make alpha generate all " + std::to_string(nlong) +
                         " non-zero elements, as a number below " +
                         std::to_string(2 * (nlong + 1)) + " (285 for m = 8)");
    }
    const int k = scan.get('k');
    // At least one check symbol must fit into the 2^m-1 symbols of a codeword.
    if (k < 1 || k > nlong - 1) {
        refuse_value(scan, 'k',
                     "accepted: 1 to " + std::to_string(nlong - 1) + " (2^m-2) data symbols");
    }
    const int n = scan.get('n');
    if (n < k + 1 || n > nlong) {
        refuse_value(scan, 'n',
                     "accepted: " + std::to_string(k + 1) + " (k+1) to " + std::to_string(nlong) +
                         " (2^m-1) symbols");
    }
    const int r = n - k;
    const int e = scan.get('e', 0);
    if (e < 0 || e > r) {
        refuse_value(scan, 'e', "accepted: 0 to " + std::to_string(r) + " (n-k) erasures");
    }
    if (e > 0 && r < 3) {
        refuse_value(scan, 'e',
                     "erasure decoding needs 3 or more check symbols, n-k is " + std::to_string(r) +
                         "; accepted: 0");
    }
    if ((r + e) / 2 == 0) {
        refuse("-n " + scan.values.at('n').text + " -k " + scan.values.at('k').text +
               ": one check symbol corrects nothing; accepted: n-k of 2 or more");
    }
    const int g = scan.get('g');
    if (g < 0) {
        refuse_value(scan, 'g', "accepted: 0 or more");
    }
    const int h = scan.get('h');
    if (h < 0 || std::gcd(h % nlong, nlong) != 1) {
        refuse_value(scan, 'h',
                     "alpha^h must generate the field; accepted: 1 or more, coprime to " +
                         std::to_string(nlong) + " (2^m-1)");
    }
}

DecoderParams derive_decoder_params(const SwitchScan& scan) {
    DecoderParams p;
    p.n_total = scan.get('n');
    p.symbol_width = scan.get('w');
    p.k_data = scan.get('k');
    p.field_poly = scan.get('f');
    p.max_erasures = scan.get('e', 0);
    p.sync_mode = scan.get('y');
    p.option_bits = scan.get('o');
    p.ccsds_flag = scan.get('c');
    p.nlong = int_power(2, p.symbol_width) - 1;
    // Truncating remainder: a negative switch value stays negative.
    p.first_root = p.nlong != 0 ? scan.get('g') % p.nlong : 0;
    p.rootspace = p.nlong != 0 ? scan.get('h') % p.nlong : 0;
    return p;
}

} // namespace ipgen::rs
