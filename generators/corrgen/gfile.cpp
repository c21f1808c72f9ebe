#include "generators/corrgen/gfile.hpp"

#include "generators/common/concat.hpp"

namespace ipgen::rs {

void write_gfile(TextSink& out, const GaloisField& field, const std::vector<int>& gen_poly) {
    for (size_t i = 0; i < gen_poly.size(); ++i) {
        out.write(concat(static_cast<int>(i), " ", gen_poly[i], " ",
                         field.gf_log[static_cast<size_t>(gen_poly[i])], " \n"));
    }
}

} // namespace ipgen::rs
