// The FIR core's tops (fir_axis.v, fir.v). Complex samples and results are
// {imaginary, real}, both parts in one beat on the parallel ports; on the
// serial ones the stream ports carry one part per beat, real part first.
// The coefficient stream (COEFF_LOAD) always carries whole words.
#include "cores/fir/fir_interface.hpp"

#include <algorithm>

namespace ipgen::front {

CoreInterface fir_interface(const FirPortWidths& widths, bool loadable, bool is_complex,
                            bool serial) {
    using enum PortDirection;
    const std::string parts = !is_complex ? "real"
                              : serial    ? "complex, two beats: real part, then imaginary part"
                                          : "complex {imaginary, real}";
    CoreInterface interface;
    interface.clock = "aclk";
    interface.reset = "aresetn";
    interface.reset_active_low = true;
    interface.reset_synchronous = true;
    interface.streams.push_back(
        axis_stream("s_axis", false, "sample, " + parts, widths.input_port));
    if (loadable) {
        StreamInterface coef = axis_stream("s_axis_coef", false,
                                           std::string("coefficient word, ") +
                                               (is_complex ? "complex {imaginary, real}" : "real") +
                                               "; a set of NUM_COEFFS words, first tap first",
                                           widths.internal_data);
        coef.tlast = true;
        coef.tlast_meaning = "the last word of a set";
        interface.streams.push_back(coef);
    }
    StreamInterface results = axis_stream("m_axis", true, "result, " + parts, widths.output_port);
    if (is_complex && serial) {
        results.tlast = true;
        results.tlast_meaning = "the imaginary beat of a result";
    }
    interface.streams.push_back(results);

    interface.native_top = "fir";
    std::vector<Port>& ports = interface.native_ports;
    const std::string whole = is_complex ? ", complex {imaginary, real}" : "";
    ports = {
        {"clk", in, 1, "clock, rising edge"},
        {"rst_n", in, 1, "synchronous reset, active low"},
        {"in_data", in, widths.internal_data, "sample" + whole},
        {"in_valid", in, 1, "sample offered"},
        {"in_ready", out, 1, "sample taken when in_valid and in_ready"},
    };
    if (loadable) {
        ports.insert(ports.end(),
                     {
                         {"coef_data", in, widths.internal_data, "coefficient word"},
                         {"coef_valid", in, 1, "word offered"},
                         {"coef_last", in, 1, "the last word of a set"},
                         {"coef_ready", out, 1, "word taken when coef_valid and coef_ready"},
                     });
    }
    ports.insert(ports.end(), {
                                  {"out_data", out, widths.output, "result" + whole},
                                  {"out_valid", out, 1, "one result per clock it is high"},
                              });
    return interface;
}

void add_overflow_flag(CoreInterface& interface) {
    for (StreamInterface& stream : interface.streams) {
        if (stream.name == "m_axis") {
            // the top bit, above the channel index
            stream.tuser_fields.push_back({stream.tuser_width, 1,
                                           "the result (one of them, with several per beat) did "
                                           "not fit the output width and was clamped to its "
                                           "largest or smallest value"});
            stream.tuser_width += 1;
        }
    }
    std::vector<Port>& ports = interface.native_ports;
    const auto valid = std::find_if(ports.begin(), ports.end(),
                                    [](const Port& p) { return p.name == "out_valid"; });
    ports.insert(valid, {"out_overflow", PortDirection::out, 1, "out_data was clamped"});
}

void add_channel_ports(CoreInterface& interface, int channel_width, int set_width, bool loadable) {
    using enum PortDirection;
    for (StreamInterface& stream : interface.streams) {
        if (stream.name == "s_axis" && channel_width + set_width > 0) {
            stream.tuser_width = channel_width + set_width;
            if (channel_width > 0) {
                stream.tuser_fields.push_back(
                    {0, channel_width,
                     "channel index: 0, 1, .., C-1 in turn (a sample out of order is dropped)"});
            }
            if (set_width > 0) {
                stream.tuser_fields.push_back(
                    {channel_width, set_width,
                     "coefficient set of the sample (decimation: of its block)"});
            }
        } else if (stream.name == "s_axis_coef" && set_width > 0) {
            stream.tuser_width = set_width;
            stream.tuser_fields.push_back(
                {0, set_width, "the set the packet replaces (last beat)"});
        } else if (stream.name == "m_axis" && channel_width > 0) {
            stream.tuser_width = channel_width;
            stream.tuser_fields.push_back({0, channel_width, "channel of the result"});
        }
    }
    if (channel_width > 0) {
        interface.extra_ports.push_back(
            {"channel_error", out, 1,
             "high for one clock after a sample whose channel index was out of order (dropped)"});
    }
    if (set_width > 0) {
        std::vector<Port>& ports = interface.native_ports;
        const auto after = [&](const std::string& name) {
            return std::find_if(ports.begin(), ports.end(),
                                [&](const Port& p) { return p.name == name; }) +
                   1;
        };
        ports.insert(after("in_ready"), {"in_set", in, set_width,
                                         "coefficient set of the sample (decimation: block)"});
        if (loadable) {
            ports.insert(after("coef_ready"),
                         {"coef_set", in, set_width, "the set replaced, read with coef_last"});
        }
    }
}

void widen_for_lanes(CoreInterface& interface, int lanes, int results) {
    const auto widen = [](auto& item, int count) {
        if (count > 1) {
            item.meaning += ", " + std::to_string(count) + " per beat, the oldest in the low bits";
        }
    };
    for (StreamInterface& stream : interface.streams) {
        const int count = stream.name == "s_axis" ? lanes : stream.name == "m_axis" ? results : 1;
        stream.tdata_width *= count;
        widen(stream, count);
    }
    for (Port& port : interface.native_ports) {
        const int count = port.name == "in_data" ? lanes : port.name == "out_data" ? results : 1;
        port.width *= count;
        widen(port, count);
    }
}

} // namespace ipgen::front
