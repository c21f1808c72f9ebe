#include "generators/rs_common/generator_polynomial.hpp"

#include <cstddef>

namespace ipgen::rs {

std::vector<int> generator_polynomial(const GaloisField& field, std::int64_t first_root,
                                      std::int64_t rootspace, int r) {
    std::vector<int> gen(static_cast<size_t>(r < 1 ? 1 : r) + 1, 0);
    // The products with alpha^root go through the logarithms, without a
    // test for zero: the exponent table runs twice round the field, so the
    // sum of two logarithms needs no reduction, and then holds zeros, where
    // the logarithm taken for 0 points. This product is the inner loop,
    // r * r / 2 times.
    const auto nlong = static_cast<size_t>(field.nlong);
    std::vector<int> exp_table(3 * nlong, 0);
    for (size_t i = 0; i < 2 * nlong; ++i) {
        exp_table[i] = field.gf_exp[i % nlong];
    }
    std::vector<size_t> log_table(field.gf_log.begin(), field.gf_log.end());
    log_table[0] = 2 * nlong;
    const auto times_alpha = [&exp_table, &log_table](int element, std::int64_t exponent) {
        return exp_table[static_cast<size_t>(exponent) + log_table[static_cast<size_t>(element)]];
    };
    const auto reduced = [&field](std::int64_t exponent) {
        const std::int64_t r = exponent % field.nlong;
        return r < 0 ? r + field.nlong : r;
    };
    // The first factor, x + alpha^(first_root * rootspace).
    gen[0] = field.power(first_root * rootspace);
    gen[1] = 1;
    for (int i = 2; i <= r; ++i) {
        const std::int64_t root = reduced((first_root + i - 1) * rootspace);
        gen[static_cast<size_t>(i)] = 1;
        for (int j = i - 1; j >= 1; --j) {
            gen[static_cast<size_t>(j)] =
                gen[static_cast<size_t>(j - 1)] ^ times_alpha(gen[static_cast<size_t>(j)], root);
        }
        // The constant term is a product of roots, never 0.
        gen[0] = times_alpha(gen[0], root);
    }
    if (r == 0) {
        gen.resize(1); // only the constant term is listed
    }
    return gen;
}

std::vector<int> gen_poly_logs(const GaloisField& field, const std::vector<int>& gen_poly) {
    std::vector<int> logs;
    logs.reserve(gen_poly.size());
    for (const int coefficient : gen_poly) {
        logs.push_back(coefficient == 0 ? -1 : field.gf_log[static_cast<size_t>(coefficient)]);
    }
    return logs;
}

} // namespace ipgen::rs
