#include "rs_encoder/gen_poly_log.hpp"

namespace ipgen::rsenc {

std::vector<int> gen_poly_logs(const rs::GaloisField& field, const std::vector<int>& gen_poly) {
    std::vector<int> logs;
    logs.reserve(gen_poly.size());
    for (const int coefficient : gen_poly) {
        logs.push_back(coefficient == 0 ? -1 : field.gf_log[static_cast<size_t>(coefficient)]);
    }
    return logs;
}

void write_gen_poly(TextSink& out, const std::vector<int>& gen_poly_log) {
    for (size_t i = 0; i < gen_poly_log.size(); ++i) {
        out.print("%d %d\n", static_cast<int>(i), gen_poly_log[i]);
    }
}

} // namespace ipgen::rsenc
