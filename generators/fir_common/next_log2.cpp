#include "generators/fir_common/next_log2.hpp"

namespace ipgen::fir {

int NextLog2(std::int64_t n) {
    if (n > 256) {
        return -1;
    }
    int bits = 0;
    while (n > (std::int64_t{1} << bits)) {
        ++bits;
    }
    return bits;
}

} // namespace ipgen::fir
