// Multiplierless products of one sample by a fixed set of constants: one
// network of adders and shifts shared by all of them, and the transposed
// filter built on it (the sample times every tap at once, then a chain of
// registered adders), written as a Verilog module.
//
// The network holds odd positive fundamentals, each the sum or difference of
// two earlier ones, shifted: value * 2^down = (a << a_shift) +/- (b << b_shift).
// Node 0 is the sample itself (value 1). A constant c = +/- odd * 2^s is then
// the node of its odd part, shifted and added or subtracted in the chain.
// Every odd fundamental other than 1 needs an adder of its own, so their
// number is a lower bound on the adders of any such network; a constant of d
// nonzero signed digits needs at least ceil(log2 d) adders in series, a lower
// bound on the depth.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ipgen::fir {

struct NetworkNode {
    std::uint64_t value = 1; // odd
    int a = 0;               // operand nodes
    int b = 0;
    int a_shift = 0;
    int b_shift = 0;
    bool subtract = false; // (a << a_shift) - (b << b_shift), which is positive
    int down = 0;          // the sum divided by 2^down
    int depth = 0;         // adders in series from the sample
};

struct ConstantNetwork {
    std::vector<NetworkNode> nodes; // nodes[0]: the sample, value 1
    int bound = 0;                  // distinct odd fundamentals other than 1
    int depth_bound = 0;            // ceil(log2(most nonzero signed digits of one constant))

    int adders() const { return static_cast<int>(nodes.size()) - 1; }
    int depth() const;
    // The node of an odd value; -1 when there is none.
    int node_of(std::uint64_t value) const;
};

// Nonzero digits of the canonical signed-digit form of v.
int signed_digits(std::uint64_t v);

// The network of the magnitudes of `constants` (zeros and powers of two
// need no adder). Deterministic: the same constants give the same network.
ConstantNetwork build_network(const std::vector<std::int64_t>& constants);

// A transposed filter y[n] = sum over k of taps[k] * x[n-k].
struct ConstantFilter {
    std::vector<std::int64_t> taps; // the impulse response, h[0] first
    int width = 8;                  // sample bits
    bool data_signed = true;
    int out_width = 16; // bits of the sum port (the value is sign-extended or cut to them)
    std::string module = "fir_constant_sum";
};

// Clocks from a sample on in_data (in_valid high) to its sum on out_sum
// (out_valid high).
int constant_filter_latency(const ConstantNetwork& network);

// Adders and subtractors of the delay-add chain (taps other than zero, but
// the first one in the chain).
int chain_adders(const ConstantFilter& filter);

// The filter as a Verilog module: ports clk, rst_n (synchronous, active
// low: the chain starts from an all-zero past), in_data, in_valid, out_sum,
// out_valid. `define_line` (a `define of the folder, may be empty) goes
// above the module.
std::string constant_filter_verilog(const ConstantFilter& filter, const ConstantNetwork& network,
                                    const std::string& define_line);

// The network alone, without registers: output prod_k = taps[k] * x for
// every tap, each `product_width` bits two's complement (for proofs).
std::string constant_products_verilog(const ConstantFilter& filter, const ConstantNetwork& network,
                                      int product_width);

} // namespace ipgen::fir
