// Decoder parameters for the module writers' tests, set the way corrgen
// derives them from its switches (first_root and rootspace reduced modulo
// nlong with the sign of the value), without the switch checks: the writers
// must stay total over values the program refuses.
#pragma once

#include "generators/corrgen/decoder_params.hpp"
#include "generators/rs_common/galois_field.hpp"
#include "generators/rs_common/xor_equation.hpp"

#include <cstdint>
#include <string>

namespace ipgen::rs::test {

struct Code {
    int m = 8;
    int poly = 285;
    int n = 255;
    int k = 239;
    int e = 0;
    int g = 0;
    int h = 1;
};

inline DecoderParams params_of(const Code& c) {
    DecoderParams p;
    p.symbol_width = c.m;
    p.field_poly = c.poly;
    p.n_total = c.n;
    p.k_data = c.k;
    p.max_erasures = c.e;
    p.nlong = int_power(2, c.m) - 1;
    p.first_root = c.g % p.nlong;
    p.rootspace = c.h % p.nlong;
    return p;
}

inline GaloisField field_of(const Code& c) {
    return build_field(c.m, c.poly);
}

// The text between the first `from` and the first `to` after it, both
// included; "" when either is missing.
inline std::string between(const std::string& text, const std::string& from,
                           const std::string& to) {
    const size_t start = text.find(from);
    if (start == std::string::npos) {
        return "";
    }
    const size_t end = text.find(to, start + from.size());
    if (end == std::string::npos) {
        return "";
    }
    return text.substr(start, end + to.size() - start);
}

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The two sum lines of an evaluator, up to the start of the total sum.
inline std::string sums(const std::string& text) {
    return between(text, "assign sumeven", "assign sumtotl");
}

// The constant-multiplier block target = source * alpha^exponent, as the
// shared emitter writes it.
inline std::string network(const Code& code, std::int64_t exponent, const std::string& target,
                           const std::string& source) {
    StringSink out;
    write_constant_multiplier(out, field_of(code), exponent, {target}, {source});
    return out.take();
}

} // namespace ipgen::rs::test
