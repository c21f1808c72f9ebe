#include "generators/fir_common/coefficient_code.hpp"

namespace ipgen::fir {

CoefficientCode signed_code(std::int64_t v, std::int64_t half, std::int64_t full) {
    if (v < 0) {
        const std::int64_t x = full + v;
        return {static_cast<std::uint32_t>(static_cast<std::uint64_t>(x)), x < half};
    }
    return {static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)), v >= half};
}

CoefficientCode unsigned_code(std::uint64_t v, std::uint64_t limit) {
    return {static_cast<std::uint32_t>(v), v >= limit};
}

} // namespace ipgen::fir
