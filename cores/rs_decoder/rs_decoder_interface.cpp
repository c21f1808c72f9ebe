// The decoder's tops (rs_decoder_axis.v, rs_decoder.v). The widths follow
// corrgen_params.v: CNTJWIDTH = clog2(r) + 1 sizes the count of changed
// symbols in m_axis_tuser and ers_cnt ([CNTJWIDTH:0]); ERRCNTWIDTH is the
// bits of T = (r + erasures) / 2, the most symbols one word can change.
// The native top's optional ports follow the defines of the options.
#include "cores/rs_decoder/rs_decoder_interface.hpp"

#include "generators/common/bit_width.hpp"

namespace ipgen::front {

CoreInterface rs_decoder_interface(int m, int r, int erasures, bool start_pulse, int option_bits) {
    using enum PortDirection;
    const int cntj_width = clog2(r) + 1;
    const int err_cnt_width = bit_width((r + erasures) / 2);
    const auto has = [&](int bit) { return (option_bits & bit) != 0; };

    CoreInterface interface;
    interface.clock = "aclk";
    interface.reset = "aresetn";
    interface.reset_active_low = true;
    interface.reset_synchronous = true;
    StreamInterface s_axis = axis_stream("s_axis", false, "received symbol, n per word", m);
    s_axis.tuser_width = 1;
    s_axis.tuser_fields = {{0, 1,
                            erasures > 0 ? "the symbol is erased"
                                         : "erasure flag (not looked at: no erasure decoding)"}};
    s_axis.tlast = true;
    s_axis.tlast_meaning = "with the n-th symbol of a word (words are counted; not checked)";
    StreamInterface m_axis = axis_stream("m_axis", true, "decoded symbol, n per word", m);
    m_axis.tuser_width = cntj_width + 1;
    m_axis.tuser_fields = {
        {0, 1, "the word could not be decoded (the beats are the received symbols)"},
        {1, cntj_width, "symbols changed in the word"},
    };
    m_axis.tlast = true;
    m_axis.tlast_meaning = "the n-th symbol of a word";
    interface.streams = {s_axis, m_axis};

    interface.native_top = "rs_decoder";
    std::vector<Port>& ports = interface.native_ports;
    ports = {{"clk", in, 1, "clock, rising edge"},
             {"rst_n", in, 1,
              "synchronous reset, active low (the generated modules reset asynchronously on it)"}};
    if (has(2)) {
        ports.push_back({"sr", in, 1, "synchronous reset, active high"});
    }
    if (has(1)) {
        ports.push_back({"clk_en", in, 1, "clock enable of the whole core"});
    }
    ports.push_back(
        start_pulse ? Port{"sync", in, 1, "high with the first symbol of a word"}
                    : Port{"din_en", in, 1, "high with every symbol; words counted from reset"});
    if (erasures > 0) {
        ports.push_back({"din_ers", in, 1, "din is erased"});
    }
    ports.push_back({"din", in, m, "received symbol"});
    ports.push_back({"rdy", out, 1, "low: no symbol is taken on this clock"});
    if (has(4)) {
        ports.push_back({"din_dly", out, m, "the received symbol, in step with dout"});
    }
    if (has(32)) {
        ports.push_back(
            {"fail", out, 1, "the word could not be decoded: dout is the received word"});
    }
    if (has(8)) {
        ports.push_back({"err_cnt", out, err_cnt_width, "symbols changed in the word"});
    }
    if (has(16)) {
        ports.push_back({"ers_cnt", out, cntj_width + 1, "erasure flags in the word (saturates)"});
    }
    ports.insert(ports.end(), {{"dout_valid", out, 1, "a decoded symbol on dout"},
                               {"dout_start", out, 1, "the first symbol of a word"},
                               {"dout_end", out, 1, "the n-th symbol of a word"},
                               {"dout", out, m, "decoded symbol"}});
    return interface;
}

CoreInterface rs_decoder_lanes_interface(int m, int p, int n, int r, int erasures,
                                         bool variable_length, bool statistics, bool detect_only) {
    using enum PortDirection;
    const int cntj_width = clog2(r) + 1;
    CoreInterface interface;
    interface.clock = "aclk";
    interface.reset = "aresetn";
    interface.reset_active_low = true;
    interface.reset_synchronous = true;
    const std::string beats = "ceil(" + std::to_string(n) + " / " + std::to_string(p) + ")";
    StreamInterface s_axis = axis_stream(
        "s_axis", false, std::to_string(p) + " received symbols, symbol 0 in the low bits", m * p);
    s_axis.tuser_width = p;
    s_axis.tuser_fields = {{0, p,
                            erasures > 0 ? "bit l: symbol l is erased"
                                         : "erasure flags (not looked at: no erasure decoding)"}};
    s_axis.tkeep_width = p;
    s_axis.tlast = true;
    if (variable_length) {
        s_axis.tlast_meaning = "with the last beat of a word (of 1 to " + std::to_string(n) +
                               " symbols; at the " + std::to_string(n) +
                               "-th symbol the word ends anyway); tkeep marks the symbols of "
                               "that beat, the low ones";
    } else {
        s_axis.tlast_meaning = "with the last of the " + beats +
                               " beats of a word (words are counted; tlast and tkeep are not "
                               "looked at)";
    }
    StreamInterface m_axis = axis_stream(
        "m_axis", true, std::to_string(p) + " decoded symbols, symbol 0 in the low bits", m * p);
    m_axis.tuser_width = cntj_width + 1;
    m_axis.tuser_fields = {
        {0, 1, "the word could not be decoded (the beats are the received symbols)"},
        {1, cntj_width, "symbols changed in the word"},
    };
    m_axis.tkeep_width = p;
    m_axis.tlast = true;
    m_axis.tlast_meaning = "the last beat of a word; tkeep marks its symbols (the others are zero)";
    if (detect_only) {
        m_axis.meaning = std::to_string(p) +
                         " received symbols, symbol 0 in the low bits (detection only: not "
                         "corrected)";
        m_axis.tuser_fields[1].meaning = "symbols in error found in the word";
    }
    interface.streams = {s_axis, m_axis};
    if (statistics) {
        const std::string corrected = detect_only ? "found in error" : "corrected";
        interface.extra_ports = {
            {"stat_corrected_symbols", out, 32,
             "symbols " + corrected + " in the words decoded (held at all ones)"},
            {"stat_corrected_words", out, 32,
             "words decoded with symbols " + corrected + " (held at all ones)"},
            {"stat_uncorrectable_words", out, 32,
             "words that could not be decoded (held at all ones)"},
            {"stat_ser_high", out, 1,
             "the symbols " + corrected +
                 " in the last complete window of --ser-window words were more than "
                 "--ser-threshold"},
        };
    }
    return interface;
}

} // namespace ipgen::front
