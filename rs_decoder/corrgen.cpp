#include "rs_decoder/corrgen.hpp"

#include "common/generated_file.hpp"
#include "rs_common/galois_field.hpp"
#include "rs_common/generator_polynomial.hpp"
#include "rs_decoder/chien_search.hpp"
#include "rs_decoder/corrgen_params.hpp"
#include "rs_decoder/decoder_params.hpp"
#include "rs_decoder/error_magnitude.hpp"
#include "rs_decoder/gfile.hpp"
#include "rs_decoder/gfinvrom.hpp"
#include "rs_decoder/gfromxp.hpp"
#include "rs_decoder/mastrovito.hpp"
#include "rs_decoder/multiplier.hpp"
#include "rs_decoder/syndrome.hpp"

#include <cstdio>

namespace ipgen::rs {

int run_corrgen(const std::vector<std::string>& args) {
    const SwitchScan scan = scan_switches(args, decoder_switch_letters);
    report_unknown_switches(scan);
    validate_decoder_switches(scan);
    const DecoderParams params = derive_decoder_params(scan);
    const GaloisField field = build_field(params.symbol_width, params.field_poly);

    write_generated_file("gfinvrom.v", WithHeader::yes,
                         [&](TextSink& out) { write_gfinvrom(out, field); });
    write_generated_file("gfromxp.v", WithHeader::yes,
                         [&](TextSink& out) { write_gfromxp(out, field, params.rootspace); });
    write_generated_file("gfile", WithHeader::yes, [&](TextSink& out) {
        write_gfile(
            out, field,
            generator_polynomial(field, params.first_root, params.rootspace, params.num_chk()));
    });
    write_generated_file("corrgen_params.v", WithHeader::yes,
                         [&](TextSink& out) { write_corrgen_params(out, params); });
    write_generated_file("mastrovito.v", WithHeader::yes,
                         [&](TextSink& out) { write_mastrovito(out, field); });
    write_generated_file("chiensearch.v", WithHeader::yes,
                         [&](TextSink& out) { write_chien_search(out, params, field); });
    write_generated_file("errmag.v", WithHeader::yes,
                         [&](TextSink& out) { write_error_magnitude(out, params, field); });
    write_generated_file("synd.v", WithHeader::yes,
                         [&](TextSink& out) { write_syndrome(out, params.num_chk()); });
    std::fputs("\n \n", stdout);
    write_generated_file("multiplier.v", WithHeader::no, [&](TextSink& out) {
        write_multiplier(out, field, params.first_root, params.rootspace, params.num_chk());
    });
    return 0;
}

} // namespace ipgen::rs
