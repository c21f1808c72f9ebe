// The FIR core's testbench beats and its model's configuration from
// ipgen's. tb_in.hex: per sample {0, 0, (imaginary,) real}, W bits per
// part (complex serial: the real part, then the imaginary one, each beat
// {0, 0, 0, part}); per coefficient of a set loaded (loadable cores)
// {1, tlast, (imaginary,) real}, tlast with the set's last. tb_out.hex: per
// result {(imaginary,) real}, OUT bits per part (complex serial: {0, real}
// then {1, imaginary}, tlast on the imaginary beat).
// With channels or coefficient sets s_axis_tuser {set, channel} sits above
// the data (a coefficient beat's set in the set field), with channels the
// out-of-order mark above it (not read: the model checks the order
// itself), and m_axis_tuser (the channel) above each result beat; with P
// samples per clock a sample beat holds P samples (the oldest lowest, a
// coefficient word zero-extended to that width) and a result beat P
// results (decimating: one). With --overflow saturate the clamp flag (one
// for the results of a beat) is m_axis_tuser's top bit, above the channel.
// See the core's README, Testbench.
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
// Every set in force from the start (--coeff-sets of them).
std::vector<fir::CoeffSet> fir_initial_sets(const Config& config);

// The input events of the tb_in.hex beats `in`.
std::vector<fir::Event> fir_events(const fir::FirConfig& c, const std::vector<std::string>& in);

// The tb_out.hex beats of the model's results.
std::vector<std::string> fir_result_beats(const fir::FirConfig& c,
                                          const std::vector<fir::Result>& results);

// The beats the core gives for the tb_in.hex beats `in`.
std::vector<std::string> fir_beats(const Config& config, const std::vector<std::string>& in);

} // namespace ipgen::front
