// The FIR core's testbench beats and its model's configuration from
// ipgen's. tb_in.hex: per sample {0, 0, [mark], [set], [channel], (imaginary,)
// real}, W bits per part (complex serial: the real part, then the
// imaginary one, each beat {0, 0, .., 0, part}; P samples per clock: P
// samples in a beat, the first lowest); per coefficient of a set loaded
// (loadable cores) {1, tlast, [0], [set], [0], (imaginary,) real}, tlast
// with the set's last. The set and channel fields are there with several
// sets and channels, the out-of-order mark with channels (the model drops
// a sample out of order by its channel index alone). tb_out.hex: per result
// {[clamped], [channel], (imaginary,) real}, OUT bits per part (complex
// serial: {.., 0, real} then {.., 1, imaginary}, tlast on the imaginary
// beat; P results per beat, the first lowest, one clamp flag for them),
// the clamp flag with --overflow saturate.
#pragma once

#include "cores/fir/fir_model.hpp"
#include "ipgen/core_description.hpp"

#include <string>
#include <vector>

namespace ipgen::front {

// The model's configuration of a checked configuration and the
// coefficient set in force from the start (all zeros for a loadable core);
// defined with the core's description.
fir::FirConfig fir_model_config(const Config& config);
fir::CoeffSet fir_initial_set(const Config& config);
// Every set in force from the start (set 0 first).
std::vector<fir::CoeffSet> fir_initial_sets(const Config& config);

// The input events of the tb_in.hex beats `in`.
std::vector<fir::Event> fir_events(const fir::FirConfig& c, const std::vector<std::string>& in);

// The tb_out.hex beats of the model's results.
std::vector<std::string> fir_result_beats(const fir::FirConfig& c,
                                          const std::vector<fir::Result>& results);

// The beats the core gives for the tb_in.hex beats `in`.
std::vector<std::string> fir_beats(const Config& config, const std::vector<std::string>& in);

} // namespace ipgen::front
