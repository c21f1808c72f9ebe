// The Viterbi core's tops (viterbi_axis.v, viterbi_decoder.v). The input
// beat packs DINBUS_WIDTH = NUM_DIN * DIN_WIDTH bits from bit 0 up and is
// padded to whole bytes; the output beat is one byte with the decoded bit
// in bit 0. The BER monitor's count is BER_RATE_WIDTH + 2 bits.
#include "cores/viterbi/viterbi_interface.hpp"

namespace ipgen::front {

CoreInterface viterbi_interface(int symbols_per_beat, int symbol_width, int ber_rate_width,
                                int erasure_bits, int choice_bits, bool two_steps) {
    using enum PortDirection;
    const int bus_width = symbols_per_beat * symbol_width;
    const bool ber = ber_rate_width > 0;

    CoreInterface interface;
    interface.clock = "aclk";
    interface.reset = "aresetn";
    interface.reset_active_low = true;
    interface.reset_synchronous = true;
    StreamInterface s_axis =
        axis_stream("s_axis", false,
                    std::string(two_steps ? "two steps' code symbols, the older step's first"
                                          : "one step's code symbols (punctured: one symbol)") +
                        ", " + std::to_string(symbol_width) +
                        (symbol_width == 1 ? " bit" : " bits") + " each from bit 0 up",
                    (bus_width + 7) / 8 * 8);
    s_axis.tlast = true;
    s_axis.tlast_meaning = "the last beat of a terminated block";
    // two steps per clock: bit 0 flags a beat with one step, the rest above
    const int lone = two_steps ? 1 : 0;
    s_axis.tuser_width = lone + erasure_bits + choice_bits;
    if (two_steps) {
        s_axis.tuser_fields.push_back({0, 1, "1: the beat carries the older step only"});
    }
    if (erasure_bits > 0) {
        s_axis.tuser_fields.push_back(
            {lone, erasure_bits,
             two_steps ? "erasure flag of each symbol slot of the beat, the older step's first "
                         "(1: erased)"
                       : "erasure flag of each symbol of the beat (1: erased)"});
    }
    if (choice_bits > 0) {
        s_axis.tuser_fields.push_back(
            {lone + erasure_bits, choice_bits,
             "puncture pattern pair of the block, read on its first beat"});
    }
    StreamInterface m_axis =
        axis_stream("m_axis", true,
                    two_steps ? "bits 0 and 1: two decoded bits in decoding order; bits 7..2: 0"
                              : "bit 0: the decoded bit; bits 7..1: 0",
                    8);
    m_axis.tlast = true;
    m_axis.tlast_meaning = "the last bit of a block";
    if (two_steps) {
        m_axis.tuser_width = 1;
        m_axis.tuser_fields.push_back({0, 1, "1: the beat carries bit 0 only"});
    }
    interface.streams = {s_axis, m_axis};
    const std::vector<Port> ber_ports = {
        {"ber_count", out, ber_rate_width + 2, "channel bits in error in the last window"},
        {"ber_valid", out, 1, "one clock per finished window"},
    };
    if (ber) {
        interface.extra_ports = ber_ports;
    }

    interface.native_top = "viterbi_decoder";
    interface.native_ports = {
        {"clk", in, 1, "clock, rising edge"},
        {"rst_n", in, 1, "synchronous reset, active low"},
        {"in_data", in, bus_width, "one step's code symbols (punctured: one symbol)"},
        {"in_valid", in, 1, "in_data offered"},
        {"in_ready", out, 1, "in_data taken when in_valid and in_ready"},
        {"in_last", in, 1, "the last beat of a terminated block"},
        {"out_data", out, two_steps ? 2 : 1,
         two_steps ? "two decoded bits, bit 0 the older" : "decoded bit"},
        {"out_valid", out, 1, "out_data offered"},
        {"out_ready", in, 1, "out_data taken when out_valid and out_ready"},
        {"out_last", out, 1, "the last bit of a block"},
    };
    const auto after_last = interface.native_ports.begin() + 6;
    if (choice_bits > 0) {
        interface.native_ports.insert(
            after_last,
            {"in_set", in, choice_bits, "puncture pattern pair of the block, on its first beat"});
    }
    if (erasure_bits > 0) {
        interface.native_ports.insert(
            interface.native_ports.begin() + 6,
            {"in_era", in, erasure_bits, "erasure flag of each symbol of the beat"});
    }
    if (two_steps) {
        interface.native_ports.insert(interface.native_ports.begin() + 6,
                                      {"in_one", in, 1, "the beat carries the older step only"});
        interface.native_ports.insert(interface.native_ports.begin() + 8,
                                      {"out_one", out, 1, "the beat carries bit 0 only"});
    }
    if (ber) {
        interface.native_ports.insert(interface.native_ports.end(), ber_ports.begin(),
                                      ber_ports.end());
    }
    return interface;
}

} // namespace ipgen::front
