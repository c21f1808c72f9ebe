#include "rs_encoder/gfile.hpp"

namespace ipgen::rsenc {

void write_gfile(TextSink& out, const std::vector<int>& gen_poly_log) {
    for (size_t i = 0; i < gen_poly_log.size(); ++i) {
        out.print("%d %d\n", static_cast<int>(i), gen_poly_log[i]);
    }
}

} // namespace ipgen::rsenc
