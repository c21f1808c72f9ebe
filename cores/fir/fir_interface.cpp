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
            stream.tuser_width = 1;
            stream.tuser_fields = {{0, 1,
                                    "the result did not fit the output width and was clamped to "
                                    "its largest or smallest value"}};
        }
    }
    std::vector<Port>& ports = interface.native_ports;
    const auto valid = std::find_if(ports.begin(), ports.end(),
                                    [](const Port& p) { return p.name == "out_valid"; });
    ports.insert(valid, {"out_overflow", PortDirection::out, 1, "out_data was clamped"});
}

} // namespace ipgen::front
