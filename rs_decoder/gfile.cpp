#include "rs_decoder/gfile.hpp"

namespace ipgen::rs {

void write_gfile(TextSink& out, const GaloisField& field, const std::vector<int>& gen_poly) {
    for (size_t i = 0; i < gen_poly.size(); ++i) {
        out.print("%d %d ", static_cast<int>(i), gen_poly[i]);
        out.print("%d \n", field.gf_log[static_cast<size_t>(gen_poly[i])]);
    }
}

} // namespace ipgen::rs
