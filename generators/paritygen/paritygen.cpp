#include "generators/paritygen/paritygen.hpp"

#include "generators/common/generated_file.hpp"
#include "generators/common/header_copy.hpp"
#include "generators/common/output_file.hpp"
#include "generators/rs_common/galois_field.hpp"
#include "generators/rs_common/generator_polynomial.hpp"
#include "generators/paritygen/encoder_params.hpp"
#include "generators/paritygen/gfile.hpp"
#include "generators/paritygen/multiplier.hpp"
#include "generators/paritygen/rsenc_params.hpp"

namespace ipgen::rsenc {

namespace {

// The shared-term multiplier.v goes through mult_temp.v, which stays in the
// directory: multiplier.v is created first, then mult_temp.v; the header,
// the module head and the wire declarations go into multiplier.v, the
// assignments into mult_temp.v, which is then closed and appended.
void write_shared_multiplier_files(const rs::GaloisField& field,
                                   const std::vector<int>& gen_poly_log) {
    const auto multiplier = create_output(multiplier_file_name);
    const auto temp = create_output(mult_temp_file_name);
    copy_header(*multiplier);
    write_multiplier_shared(*multiplier, *temp, field, gen_poly_log);
    temp->close_or_throw();
    append_file(*multiplier, mult_temp_file_name);
    write_module_end(*multiplier);
    multiplier->close_or_throw();
}

} // namespace

int run_paritygen(const std::vector<std::string>& args) {
    const SwitchScan scan = scan_switches(args, encoder_switch_letters);
    report_unknown_switches(scan);
    validate_encoder_switches(scan);
    const EncoderParams params = derive_encoder_params(scan);
    const rs::GaloisField field = rs::build_field(params.symbol_width, params.field_poly);
    // The roots enter unreduced; each exponent is reduced where it indexes
    // the field table.
    const std::vector<int> gen_poly_log =
        rs::gen_poly_logs(field, rs::generator_polynomial(field, params.first_root,
                                                          params.rootspace, params.num_chk()));

    write_generated_file("gfile", WithHeader::no,
                         [&](TextSink& out) { write_gfile(out, gen_poly_log); });
    if (params.mult_style == 1) {
        write_shared_multiplier_files(field, gen_poly_log);
    } else {
        write_generated_file(multiplier_file_name, WithHeader::yes, [&](TextSink& out) {
            write_multiplier_plain(out, field, gen_poly_log);
        });
    }
    write_generated_file("rsenc_params.v", WithHeader::yes,
                         [&](TextSink& out) { write_rsenc_params(out, params); });
    return 0;
}

} // namespace ipgen::rsenc
