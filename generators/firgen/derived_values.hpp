// Every width, count and flag of the FIR datapath that firgen's
// parameters.v carries, derived from the user parameters and keywords.
// Values are 64-bit so that no product of 32-bit inputs overflows; every
// value of a valid configuration is small.
#pragma once

#include "generators/firgen/firgen_params.hpp"

#include <cstdint>
#include <vector>

namespace ipgen::fir::gen {

// The adder tree of the core has at most six stages: 64 multipliers.
inline constexpr std::int64_t max_multipliers = 64;

// firgen's bit count: 1 for n <= 2, else as NextLog2 (2 for 3..4, ... 8 for
// 129..256, -1 above). Unlike firparam's NextLog2 it never gives 0, since a
// select signal of the core is at least one bit wide.
int nextlog2(std::int64_t n);

// One stage of the adder tree. Stage S takes the multiplier outputs, stage
// 1 delivers the sum.
struct AdderStage {
    std::int64_t adders = 0;
    std::int64_t direct = 0; // inputs passed through to the next stage
    std::int64_t in_data_width = 0;
    std::int64_t out_data_width = 0;
    std::int64_t in_bus_width = 0;
    std::int64_t out_bus_width = 0;
    std::int64_t exp_in_addr = 0;
    std::int64_t exp_out_addr = 0;
};

struct FirGenDerived {
    std::int64_t input_port_width = 0;    // IPW
    std::int64_t output_port_width = 0;   // OPW
    std::int64_t internal_data_width = 0; // IDW
    std::int64_t num_tap_regs = 0;        // TR
    std::int64_t num_coeffs = 0;          // NCF
    bool odd_taps = false;
    std::int64_t num_multipliers = 0;       // M
    std::int64_t multiplier_data_width = 0; // MDW
    std::int64_t tao_width = 0;
    std::int64_t cao_width = 0;
    std::int64_t dso_width = 0;
    std::int64_t mbo_width = 0;
    std::int64_t ato_width = 0;      // ATO
    std::int64_t num_cycles_adj = 0; // NCA
    std::int64_t scheduler_select_width = 0;
    std::int64_t num_zero_padding = 0;     // NZP
    std::int64_t d_ratio_adj = 0;          // DRA
    std::int64_t num_zero_padding_adj = 0; // NZPA
    std::int64_t temp_bus_width = 0;
    int num_stages = 0;                 // S: 0 for one multiplier, -1 beyond 256
    std::vector<AdderStage> stages;     // stages[i] is stage i (1 to S); empty for S <= 0
    bool single_cycle = false;          // SINGLE_CYCLE_PROCESSING
    bool multi_cycle = false;           // MULTI_CYCLE_PROCESSING
    std::int64_t output_full_width = 0; // OFW
    std::int64_t output_width = 0;      // OWD
    bool ato_equals_ofw_minus_one = false;
    bool scaling_none = false;
    bool scaling_one_bit = false;
    bool adder_in_op = false;
};

// The derivation in the order the core's documentation gives it. Total for
// any values; meaningful for the values validate_firgen accepts.
FirGenDerived derive(const FirGenParams& params, const FirGenKeywords& keywords);

} // namespace ipgen::fir::gen
