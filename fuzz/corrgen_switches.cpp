// corrgen's switches: scanning, the range checks, the derived parameters, the
// field and every file's text, for any argument vector (one argument per
// line of the input).
#include "fuzz/fuzz_input.hpp"
#include "generators/common/text_sink.hpp"
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

using namespace ipgen;
using namespace ipgen::rs;

// The files of a 12-bit field run to megabytes; up to m = 8 each input
// stays quick and still reaches every writer's branches.
constexpr int largest_written_width = 8;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const SwitchScan scan =
            scan_switches(fuzz::split_arguments(data, size), decoder_switch_letters);
        validate_decoder_switches(scan);
        const DecoderParams params = derive_decoder_params(scan);
        const GaloisField field = build_field(params.symbol_width, params.field_poly);
        if (params.symbol_width > largest_written_width) {
            return 0;
        }
        StringSink out;
        write_gfinvrom(out, field);
        write_gfromxp(out, field, params.rootspace);
        write_gfile(
            out, field,
            generator_polynomial(field, params.first_root, params.rootspace, params.num_chk()));
        write_corrgen_params(out, params);
        write_mastrovito(out, field);
        write_chien_search(out, params, field);
        write_error_magnitude(out, params, field);
        write_syndrome(out, params.num_chk());
        write_multiplier(out, field, params.first_root, params.rootspace, params.num_chk());
    } catch (const FatalError& error) {
        fuzz::check_refusal(error);
    }
    return 0;
}
