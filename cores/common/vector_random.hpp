// The random draws of the testbench vectors, written out so that every C++
// library draws the same: std::uniform_int_distribution, std::shuffle and
// std::normal_distribution leave their algorithms to the library, and the
// vectors (tb_in.hex, tb_out.hex) must be the same bytes from every build
// of ipgen, the WebAssembly one (libc++) included. These are the
// algorithms of GNU libstdc++ (GCC 12) over std::mt19937 on a 64-bit
// target, the build the vectors have always come from: Lemire's nearly
// divisionless downscaling, the two-positions-per-draw shuffle and the
// Marsaglia polar method over generate_canonical.
#pragma once

#include <cmath>
#include <concepts>
#include <cstdint>
#include <iterator>
#include <random>
#include <utility>

namespace ipgen::front {

// A value of [0, range] from `random`, uniform.
inline std::uint64_t uniform_to(std::mt19937& random, std::uint64_t range) {
    constexpr std::uint64_t generator_range = 0xffffffffU;
    if (range < generator_range) {
        // [0, range + 1) from the high half of a 64-bit product.
        const auto below = static_cast<std::uint32_t>(range + 1);
        std::uint64_t product = std::uint64_t{random()} * below;
        auto low = static_cast<std::uint32_t>(product);
        if (low < below) {
            const std::uint32_t threshold = static_cast<std::uint32_t>(0U - below) % below;
            while (low < threshold) {
                product = std::uint64_t{random()} * below;
                low = static_cast<std::uint32_t>(product);
            }
        }
        return product >> 32;
    }
    if (range > generator_range) {
        // The high part from a smaller range, the low 32 bits from one draw.
        std::uint64_t high = 0;
        std::uint64_t value = 0;
        do {
            high = (generator_range + 1) * uniform_to(random, range / (generator_range + 1));
            value = high + random();
        } while (value > range || value < high);
        return value;
    }
    return random();
}

// std::uniform_int_distribution<T>(low, high), drawn as above.
template <std::integral T>
class UniformInt {
  public:
    UniformInt(T low, T high) : low_(low), high_(high) {}
    T operator()(std::mt19937& random) const {
        const std::uint64_t range =
            static_cast<std::uint64_t>(high_) - static_cast<std::uint64_t>(low_);
        return static_cast<T>(uniform_to(random, range) + static_cast<std::uint64_t>(low_));
    }

  private:
    T low_;
    T high_;
};

// std::shuffle(first, last, random), drawn as above.
template <std::random_access_iterator It>
void shuffle(It first, It last, std::mt19937& random) {
    if (first == last) {
        return;
    }
    const auto size = static_cast<std::uint64_t>(last - first);
    if (0xffffffffU / size >= size) {
        // Two swap positions from one draw.
        It i = first + 1;
        if (size % 2 == 0) {
            std::iter_swap(i++, first + static_cast<std::ptrdiff_t>(uniform_to(random, 1)));
        }
        while (i != last) {
            const auto choices = static_cast<std::uint64_t>(i - first) + 1;
            const std::uint64_t both = uniform_to(random, choices * (choices + 1) - 1);
            std::iter_swap(i++, first + static_cast<std::ptrdiff_t>(both / (choices + 1)));
            std::iter_swap(i++, first + static_cast<std::ptrdiff_t>(both % (choices + 1)));
        }
        return;
    }
    for (It i = first + 1; i != last; ++i) {
        std::iter_swap(i, first + static_cast<std::ptrdiff_t>(
                                      uniform_to(random, static_cast<std::uint64_t>(i - first))));
    }
}

// std::normal_distribution<double>(0, 1): pairs of values by the polar
// method, the second kept for the next call.
class StandardNormal {
  public:
    double operator()(std::mt19937& random) {
        double value = 0;
        if (saved_available_) {
            saved_available_ = false;
            value = saved_;
        } else {
            double x = 0;
            double y = 0;
            double r2 = 0;
            do {
                x = 2.0 * canonical(random) - 1.0;
                y = 2.0 * canonical(random) - 1.0;
                r2 = x * x + y * y;
            } while (r2 > 1.0 || r2 == 0.0);
            const double mult = std::sqrt(-2 * std::log(r2) / r2);
            saved_ = x * mult;
            saved_available_ = true;
            value = y * mult;
        }
        return value * 1.0 + 0.0; // stddev 1, mean 0, as the library scales
    }

  private:
    // std::generate_canonical<double, 53>: two draws, low one first.
    static double canonical(std::mt19937& random) {
        double sum = static_cast<double>(random());
        sum += static_cast<double>(random()) * 4294967296.0;
        const double value = sum / 18446744073709551616.0;
        return value >= 1.0 ? std::nextafter(1.0, 0.0) : value;
    }

    double saved_ = 0;
    bool saved_available_ = false;
};

} // namespace ipgen::front
