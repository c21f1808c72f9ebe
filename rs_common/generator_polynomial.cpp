#include "rs_common/generator_polynomial.hpp"

#include <cstddef>

namespace ipgen::rs {

std::vector<int> generator_polynomial(const GaloisField& field, std::int64_t first_root,
                                      std::int64_t rootspace, int r) {
    std::vector<int> gen(static_cast<size_t>(r < 1 ? 1 : r) + 1, 0);
    // alpha^i for i < 2 * nlong: element * alpha^exponent, with the exponent
    // already reduced into 0 .. nlong-1, is then one look-up of the sum of
    // the two logarithms. This product is the inner loop, r * r / 2 times.
    std::vector<int> exp_twice(2 * static_cast<size_t>(field.nlong));
    for (size_t i = 0; i < exp_twice.size(); ++i) {
        exp_twice[i] = field.gf_exp[i % static_cast<size_t>(field.nlong)];
    }
    const auto times_alpha = [&field, &exp_twice](int element, std::int64_t exponent) {
        return exp_twice[static_cast<size_t>(exponent) +
                         static_cast<size_t>(field.gf_log[static_cast<size_t>(element)])];
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
            const int coefficient = gen[static_cast<size_t>(j)];
            const int shifted = gen[static_cast<size_t>(j - 1)];
            gen[static_cast<size_t>(j)] =
                coefficient != 0 ? shifted ^ times_alpha(coefficient, root) : shifted;
        }
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
