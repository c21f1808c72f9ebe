#include "generators/corrgen/corrgen.hpp"

#include "generators/common/generated_file.hpp"
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
#include "generators/rs_common/galois_field.hpp"
#include "generators/rs_common/generator_polynomial.hpp"

#include <cstdio>

namespace ipgen::rs {

std::vector<GeneratedText> decoder_files(const DecoderParams& params) {
    const GaloisField field = build_field(params.symbol_width, params.field_poly);
    std::vector<GeneratedText> files;
    const auto add = [&](const char* name, WithHeader header, const auto& body) {
        StringSink text;
        body(text);
        files.push_back({name, header, text.take()});
    };
    add("gfinvrom.v", WithHeader::yes, [&](TextSink& out) { write_gfinvrom(out, field); });
    add("gfromxp.v", WithHeader::yes,
        [&](TextSink& out) { write_gfromxp(out, field, params.rootspace); });
    add("gfile", WithHeader::yes, [&](TextSink& out) {
        write_gfile(
            out, field,
            generator_polynomial(field, params.first_root, params.rootspace, params.num_chk()));
    });
    add("corrgen_params.v", WithHeader::yes,
        [&](TextSink& out) { write_corrgen_params(out, params); });
    add("mastrovito.v", WithHeader::yes, [&](TextSink& out) { write_mastrovito(out, field); });
    add("chiensearch.v", WithHeader::yes,
        [&](TextSink& out) { write_chien_search(out, params, field); });
    add("errmag.v", WithHeader::yes,
        [&](TextSink& out) { write_error_magnitude(out, params, field); });
    add("synd.v", WithHeader::yes, [&](TextSink& out) { write_syndrome(out, params.num_chk()); });
    add("multiplier.v", WithHeader::no, [&](TextSink& out) {
        write_multiplier(out, field, params.first_root, params.rootspace, params.num_chk());
    });
    return files;
}

std::vector<NamedText> write_decoder(const DecoderValues& values, const std::string& header) {
    return with_header(decoder_files(derive_decoder_params(values)), header);
}

int run_corrgen(const std::vector<std::string>& args) {
    const SwitchScan scan = scan_switches(args, decoder_switch_letters);
    report_unknown_switches(scan);
    validate_decoder_switches(scan);
    const std::vector<GeneratedText> files = decoder_files(derive_decoder_params(scan));
    for (const GeneratedText& file : files) {
        // corrgen prints two lines between synd.v and multiplier.v.
        if (&file == &files.back()) {
            std::fputs("\n \n", stdout);
        }
        write_generated_file(file);
    }
    return 0;
}

} // namespace ipgen::rs
