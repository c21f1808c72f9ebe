#include "generators/paritygen/paritygen.hpp"

#include "generators/common/generated_file.hpp"
#include "generators/common/header_copy.hpp"
#include "generators/common/output_file.hpp"
#include "generators/paritygen/encoder_params.hpp"
#include "generators/paritygen/gfile.hpp"
#include "generators/paritygen/minimal_netlist.hpp"
#include "generators/paritygen/multiplier.hpp"
#include "generators/paritygen/rsenc_params.hpp"
#include "generators/rs_common/galois_field.hpp"
#include "generators/rs_common/generator_polynomial.hpp"

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

std::vector<GeneratedText> encoder_files(const EncoderParams& given, Netlist netlist) {
    EncoderParams params = given;
    params.nlong = rs::int_power(2, params.symbol_width) - 1;
    const rs::GaloisField field = rs::build_field(params.symbol_width, params.field_poly);
    // The roots enter unreduced; each exponent is reduced where it indexes
    // the field table.
    const std::vector<int> gen_poly_log =
        rs::gen_poly_logs(field, rs::generator_polynomial(field, params.first_root,
                                                          params.rootspace, params.num_chk()));
    StringSink gfile;
    write_gfile(gfile, gen_poly_log);
    StringSink multiplier;
    switch (netlist) {
    case Netlist::shared: {
        // The wires, then what paritygen gathers in mult_temp.v, then the
        // end of the module.
        StringSink assigns;
        write_multiplier_shared(multiplier, assigns, field, gen_poly_log);
        multiplier.write(assigns.text());
        write_module_end(multiplier);
        break;
    }
    case Netlist::plain:
        write_multiplier_plain(multiplier, field, gen_poly_log);
        break;
    case Netlist::minimal:
        write_minimal_multiplier(multiplier, field, gen_poly_log);
        break;
    }
    StringSink rsenc_params;
    write_rsenc_params(rsenc_params, params);
    return {{"gfile", WithHeader::no, gfile.take()},
            {multiplier_file_name, WithHeader::yes, multiplier.take()},
            {"rsenc_params.v", WithHeader::yes, rsenc_params.take()}};
}

std::vector<NamedText> write_encoder(const EncoderParams& params, const std::string& header,
                                     Netlist netlist) {
    return with_header(encoder_files(params, netlist), header);
}

int run_paritygen(const std::vector<std::string>& args) {
    const SwitchScan scan = scan_switches(args, encoder_switch_letters);
    report_unknown_switches(scan);
    validate_encoder_switches(scan);
    const EncoderParams params = derive_encoder_params(scan);
    const bool shared = params.mult_style == 1;
    const std::vector<GeneratedText> files =
        encoder_files(params, shared ? Netlist::shared : Netlist::plain);
    write_generated_file(files[0]);
    if (shared) {
        // Written in two parts through mult_temp.v, which stays behind.
        const rs::GaloisField field = rs::build_field(params.symbol_width, params.field_poly);
        write_shared_multiplier_files(
            field,
            rs::gen_poly_logs(field, rs::generator_polynomial(field, params.first_root,
                                                              params.rootspace, params.num_chk())));
    } else {
        write_generated_file(files[1]);
    }
    write_generated_file(files[2]);
    return 0;
}

} // namespace ipgen::rsenc
