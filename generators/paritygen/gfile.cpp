#include "generators/paritygen/gfile.hpp"

#include "generators/common/concat.hpp"

namespace ipgen::rsenc {

void write_gfile(TextSink& out, const std::vector<int>& gen_poly_log) {
    for (size_t i = 0; i < gen_poly_log.size(); ++i) {
        out.write(concat(static_cast<int>(i), " ", gen_poly_log[i], "\n"));
    }
}

} // namespace ipgen::rsenc
