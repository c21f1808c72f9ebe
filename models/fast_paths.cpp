#include "models/fast_paths.hpp"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace ipgen::models {

namespace {

__extension__ using Wide = __int128;

// fir_model.cpp's scaling of a full-precision sum to the output word.
std::int64_t scale(const fir::FirConfig& c, Wide y) {
    const int full = c.full_width();
    if (c.out_width < full) {
        const int drop = full - c.out_width;
        if (drop >= 126) {
            y = c.nearest || y >= 0 ? 0 : -1;
        } else {
            y += c.nearest ? Wide{1} << (drop - 1) : 0;
            y = y >= 0 ? y >> drop : -((-y + (Wide{1} << drop) - 1) >> drop);
        }
    }
    const std::uint64_t mask =
        c.out_width >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << c.out_width) - 1;
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(y) & mask);
}

} // namespace

std::int64_t result_word(const fir::FirConfig& c, std::int64_t bits) {
    if (!c.signed_results() || c.out_width >= 64) {
        return bits;
    }
    const std::uint64_t sign = std::uint64_t{1} << (c.out_width - 1);
    const auto value = static_cast<std::uint64_t>(bits);
    return static_cast<std::int64_t>((value ^ sign) - sign);
}

std::optional<std::vector<std::int64_t>> fast_fir(const fir::FirConfig& c, const fir::CoeffSet& set,
                                                  std::span<const std::int64_t> samples) {
    if (c.is_complex || c.filter_type == fir::interpolation) {
        return std::nullopt;
    }
    const std::vector<fir::Value> response = fir::impulse_response(c, set);
    std::vector<std::int64_t> h;
    std::uint64_t h_sum = 0;
    for (const fir::Value& v : response) {
        h.push_back(v.re);
        h_sum += static_cast<std::uint64_t>(std::llabs(v.re));
    }
    // |sum| <= sum |h| * max |x| < 2^62: exact in 64 bits.
    const int x_bits = c.width; // |x| <= 2^width
    if (std::bit_width(h_sum) + x_bits > 62) {
        return std::nullopt;
    }
    const auto taps = h.size();
    const std::size_t count = samples.size();
    // The samples behind a run of zeros (the line starts empty).
    std::vector<std::int64_t> x(taps - 1, 0);
    x.insert(x.end(), samples.begin(), samples.end());
    std::vector<std::int64_t> reversed(h.rbegin(), h.rend());
    const std::size_t step =
        c.filter_type == fir::decimation ? static_cast<std::size_t>(c.deci) : 1;
    std::vector<std::int64_t> out;
    out.reserve(count / step + 1);
    for (std::size_t n = step - 1; n < count; n += step) {
        const std::int64_t* window = x.data() + n; // x[n - taps + 1 .. n]
        std::int64_t sum = 0;
        for (std::size_t k = 0; k < taps; ++k) {
            sum += reversed[k] * window[k];
        }
        out.push_back(result_word(c, scale(c, sum)));
    }
    return out;
}

} // namespace ipgen::models
