// Every width and count of the Viterbi decoder core, derived from the user's
// choices: trellis states, add-compare-select (ACS) and branch-metric units,
// metric and bus widths, the survivor memory and the BER monitor's delay
// line. Each value is written to parameters.v under the define of the same
// name.
#pragma once

#include "generators/trellgen/user_params.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace ipgen::viterbi {

// The number of survivor-memory blocks (NUM_MEM_i defines) by device class
// and constraint length. The table ends at K = 9; for larger K there is no
// memory layout and the count is 0.
int memory_count(int device, int cons_length);

// Values that only exist with an option (K_1_C and K_C with a hybrid core,
// the prefixes for device class 0, SOFT_WIDTH_1 and PBCOUNT_WIDTH when
// punctured, the BER values with the monitor) are 0 without it.
struct ViterbiDerived {
    int k_1 = 0;
    int num_states = 0;
    int k_1_c = 0;
    int k_c = 0;
    int num_acsp = 0;
    int acsp_width = 0;
    int num_bmup = 0;
    int proc_cycles = 0;
    int din_width = 0;
    int bm_width = 0;
    int num_metrics = 0;
    int metric_width = 0;
    int num_din = 0;
    int dinbus_width = 0;
    int bmbus_width = 0;
    int pm_width = 0;
    int pmbus_width = 0;
    int acsbus_width = 0;
    int sibus_width = 0;
    int encout_width = 0;
    int sm_data_width = 0;
    int sm_addr_width = 0;
    int prefix_width = 0; // P = 8 - L(TB), of PREFIX0 and PREFIX1
    int soft_width_1 = 0;
    int pbcount_width = 0;
    std::uint32_t ber_rate = 0;
    int ber_rate_width = 0;
    int dl_len = 0;
    int dl_data_width = 0;
    int dl_addr_width = 0;
    int num_mem = 0; // M
};

// A derived value that does not fit a 32-bit int (its field holds the low
// 32 bits): the define's name and the true value.
struct DerivedOverflow {
    std::string name;
    std::int64_t value = 0;
};

struct Derivation {
    ViterbiDerived values;
    std::optional<DerivedOverflow> overflow; // the first one, in file order
};

// Computes every derived value. Exact for the ranges the validation accepts
// (K up to 9, n up to 3, SW up to 16, any 32-bit TB); flags are tested
// exactly as the file's sections test them (== 1 or != 0).
Derivation derive_values(const ViterbiUserParams& params);

} // namespace ipgen::viterbi
