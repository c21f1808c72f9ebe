// The two reference configurations of the decoder, as records.
#pragma once

#include "generators/trellgen/user_params.hpp"

namespace ipgen::viterbi::test {

// K = 7, rate 1/2 (171, 133), 3-bit signed soft decision, traceback 64,
// fully parallel, no BER monitor, another vendor's device.
inline ViterbiUserParams parallel_example() {
    ViterbiUserParams p;
    p.cons_length = 7;
    p.code_rate = 2;
    p.gp = {171, 133, 0};
    p.soft_decision = 1;
    p.soft_width = 3;
    p.tb_length = 64;
    p.device = 0;
    return p;
}

// The same code, unsigned soft symbols, punctured with block size 4,
// hybrid index 2, BER monitor with period exponent 10, KESTREL 4 device.
inline ViterbiUserParams hybrid_example() {
    ViterbiUserParams p = parallel_example();
    p.sdd_unsigned = 1;
    p.punctured = 1;
    p.pb_size = 4;
    p.pp0 = "1101";
    p.pp1 = "1011";
    p.hybrid = 1;
    p.hybrid_index = 2;
    p.ber_present = 1;
    p.ber_period = 10;
    p.ber_rate = 1023;
    p.device = 2;
    return p;
}

} // namespace ipgen::viterbi::test
