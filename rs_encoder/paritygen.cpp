#include "rs_encoder/paritygen.hpp"

#include "common/generated_file.hpp"
#include "rs_common/galois_field.hpp"
#include "rs_common/generator_polynomial.hpp"
#include "rs_encoder/encoder_multiplier.hpp"
#include "rs_encoder/encoder_params.hpp"
#include "rs_encoder/gen_poly_log.hpp"
#include "rs_encoder/rsenc_params.hpp"

namespace ipgen::rsenc {

int run_paritygen(const std::vector<std::string>& args) {
    const SwitchScan scan = scan_switches(args, encoder_switch_letters);
    report_unknown_switches(scan);
    validate_encoder_switches(scan);
    const EncoderParams params = parse_switches(scan);
    const rs::GaloisField field = rs::build_field(params.symbol_width, params.field_poly);
    // The roots enter unreduced; each exponent is reduced where it indexes
    // the field table.
    const std::vector<int> gen_poly_log =
        gen_poly_logs(field, rs::generator_polynomial(field, params.first_root, params.rootspace,
                                                      params.num_chk()));

    write_generated_file("gfile", WithHeader::no,
                         [&](TextSink& out) { write_gen_poly(out, gen_poly_log); });
    if (params.mult_style == 1) {
        write_multiplier_shared(field, gen_poly_log);
    } else {
        write_multiplier_plain(field, gen_poly_log);
    }
    write_generated_file("rsenc_params.v", WithHeader::yes,
                         [&](TextSink& out) { write_enc_params(out, params); });
    return 0;
}

} // namespace ipgen::rsenc
