#include "generators/corrgen/corrgen.hpp"

#include "generators/common/generated_file.hpp"
#include "generators/rs_common/galois_field.hpp"
#include "generators/rs_common/generator_polynomial.hpp"
#include "generators/corrgen/chien_search.hpp"
#include "generators/corrgen/corrgen_params.hpp"
#include "generators/corrgen/decoder_params.hpp"
#include "generators/corrgen/error_magnitude.hpp"
#include "generators/corrgen/gfile.hpp"
#include "generators/corrgen/gfinvrom.hpp"
#include "generators/corrgen/gfromxp.hpp"
#include "generators/corrgen/mastrovito.hpp"
#include "generators/corrgen/multiplier.hpp"
#include "generators/corrgen/syndrome.hpp"

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
