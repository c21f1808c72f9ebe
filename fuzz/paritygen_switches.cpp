// paritygen's switches: scanning, the range checks, the parameters, the
// generator polynomial and the text of gfile, multiplier.v (both styles) and
// rsenc_params.v, for any argument vector (one argument per line).
#include "fuzz/fuzz_input.hpp"
#include "generators/common/text_sink.hpp"
#include "generators/paritygen/encoder_params.hpp"
#include "generators/paritygen/gfile.hpp"
#include "generators/paritygen/multiplier.hpp"
#include "generators/paritygen/rsenc_params.hpp"
#include "generators/rs_common/galois_field.hpp"
#include "generators/rs_common/generator_polynomial.hpp"

using namespace ipgen;
using namespace ipgen::rsenc;

// Larger fields give files of megabytes; up to m = 8 each input stays quick
// and still reaches every branch of the writers.
constexpr int largest_written_width = 8;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const SwitchScan scan =
            scan_switches(fuzz::split_arguments(data, size), encoder_switch_letters);
        validate_encoder_switches(scan);
        const EncoderParams params = derive_encoder_params(scan);
        StringSink out;
        write_rsenc_params(out, params);
        // A 12-bit code with thousands of check symbols takes a second in a
        // plain build and far longer instrumented: the generator polynomial
        // is quadratic in them.
        if (params.symbol_width > largest_written_width) {
            return 0;
        }
        const rs::GaloisField field = rs::build_field(params.symbol_width, params.field_poly);
        const std::vector<int> gen_poly_log =
            rs::gen_poly_logs(field, rs::generator_polynomial(field, params.first_root,
                                                              params.rootspace, params.num_chk()));
        write_gfile(out, gen_poly_log);
        StringSink wires;
        StringSink assigns;
        write_module_head(wires);
        if (params.mult_style == 1) {
            write_shared_slices(wires, assigns, field, gen_poly_log);
        } else {
            write_plain_slices(wires, field, gen_poly_log);
        }
        write_module_end(assigns);
    } catch (const FatalError& error) {
        fuzz::check_refusal(error);
    }
    return 0;
}
