#include "rs_common/generator_polynomial.hpp"

#include <cstddef>

namespace ipgen::rs {

std::vector<int> generator_polynomial(const GaloisField& field, std::int64_t first_root,
                                      std::int64_t rootspace, int r) {
    std::vector<int> gen(static_cast<size_t>(r < 1 ? 1 : r) + 1, 0);
    // element * alpha^exponent with the exponent already reduced into
    // 0 .. nlong-1: the sum of the two logarithms stays below 2 * nlong.
    const auto times_alpha = [&field](int element, std::int64_t exponent) {
        std::int64_t sum = exponent + field.gf_log[static_cast<size_t>(element)];
        if (sum >= field.nlong) {
            sum -= field.nlong;
        }
        return field.gf_exp[static_cast<size_t>(sum)];
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
