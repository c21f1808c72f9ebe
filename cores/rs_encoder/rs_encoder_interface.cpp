// The encoder's tops (rs_encoder_axis.v, rs_encoder.v): every data port is
// one symbol wide; framing is by count, so s_axis_tlast is declared for a
// standard stream source and not looked at.
#include "cores/rs_encoder/rs_encoder_interface.hpp"

namespace ipgen::front {

CoreInterface rs_encoder_interface(int m) {
    using enum PortDirection;
    CoreInterface interface;
    interface.clock = "aclk";
    interface.reset = "aresetn";
    interface.reset_active_low = true;
    interface.reset_synchronous = true;
    StreamInterface s_axis = axis_stream("s_axis", false, "data symbol, k per codeword", m);
    s_axis.tlast = true;
    s_axis.tlast_meaning = "not looked at: the k-th beat closes the message";
    StreamInterface m_axis =
        axis_stream("m_axis", true, "codeword symbol: the k data symbols, then n-k parity", m);
    m_axis.tlast = true;
    m_axis.tlast_meaning = "the n-th symbol of each codeword";
    interface.streams = {s_axis, m_axis};
    interface.native_top = "rs_encoder";
    interface.native_ports = {
        {"clk", in, 1, "clock, rising edge"},
        {"rst_n", in, 1, "synchronous reset, active low"},
        {"start", in, 1, "with enable: the first data symbol of a codeword"},
        {"enable", in, 1, "data_in holds a data symbol"},
        {"data_in", in, m, "data symbol"},
        {"ready", out, 1, "a symbol offered with enable is taken on this clock"},
        {"data_out", out, m, "codeword symbol"},
        {"out_valid", out, 1, "data_out holds a codeword symbol"},
        {"out_start", out, 1, "with out_valid: the first symbol of a codeword"},
        {"out_end", out, 1, "with out_valid: the n-th symbol of a codeword"},
    };
    return interface;
}

CoreInterface rs_encoder_wide_interface(int m, int p) {
    CoreInterface interface;
    interface.clock = "aclk";
    interface.reset = "aresetn";
    interface.reset_active_low = true;
    interface.reset_synchronous = true;
    StreamInterface s_axis = axis_stream(
        "s_axis", false, "P data symbols, symbol 0 in the low bits; ceil(k/P) beats per codeword",
        m * p);
    s_axis.tkeep_width = p;
    s_axis.tlast = true;
    s_axis.tlast_meaning = "not looked at: the ceil(k/P)-th beat closes the message";
    StreamInterface m_axis =
        axis_stream("m_axis", true,
                    "P codeword symbols: the n symbols packed P per beat from the first, "
                    "ceil(n/P) beats; tkeep marks the valid lanes of the last",
                    m * p);
    m_axis.tkeep_width = p;
    m_axis.tlast = true;
    m_axis.tlast_meaning = "the last beat of each codeword";
    interface.streams = {s_axis, m_axis};
    return interface;
}

} // namespace ipgen::front

namespace ipgen::front {

CoreInterface rs_encoder_vl_interface(int m, int p) {
    CoreInterface interface = rs_encoder_wide_interface(m, p);
    StreamInterface& s_axis = interface.streams[0];
    s_axis.meaning = "P data symbols, symbol 0 in the low bits; a word of k' <= k symbols in "
                     "ceil(k'/P) beats";
    s_axis.tlast_meaning = "the last beat of a word: its symbols are lanes 0 up to the highest "
                           "with tkeep";
    StreamInterface& m_axis = interface.streams[1];
    m_axis.meaning = "P codeword symbols: the k' data symbols, then n-k check symbols, packed P "
                     "per beat from the first; tkeep marks the valid lanes of the last";
    m_axis.tuser_width = 1;
    m_axis.tuser_fields = {{0, 1, "on the last beat: the word was longer than k, closed at k"}};
    return interface;
}

} // namespace ipgen::front
