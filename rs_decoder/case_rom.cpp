#include "rs_decoder/case_rom.hpp"

namespace ipgen::rs {

namespace {

// The low `width` bits of `value`, most significant first.
void append_binary_digits(std::string& text, std::int64_t value, int width) {
    for (int bit = width - 1; bit >= 0; --bit) {
        text += ((value >> bit) & 1) != 0 ? '1' : '0';
    }
}

} // namespace

void write_rom_item(TextSink& out, int m, std::int64_t address, std::int64_t value) {
    // Written thousands of times: the line is built in place, not by a format.
    const std::string width = std::to_string(m);
    std::string line = "      ";
    line += width;
    line += "'b";
    append_binary_digits(line, address, m);
    line += " : romout = ";
    line += width;
    line += "'b";
    append_binary_digits(line, value, m);
    line += " ;\n";
    out.write(line);
}

void write_case_rom(TextSink& out, const char* module, int m,
                    const std::function<void(TextSink&)>& items) {
    out.write("`timescale 1ns/1ns\n\n\n");
    out.print("module %s(\n", module);
    out.write("             address,\n"
              "             romout\n"
              "                );\n");
    out.write("// input ports\n"
              "input  [`INPUT_DATA_WIDTH-1:0] address;\n"
              "\n"
              "\n");
    out.write("// output ports\n"
              "output  [`INPUT_DATA_WIDTH-1:0] romout;\n"
              "\n"
              "\n");
    out.write("reg [`INPUT_DATA_WIDTH-1:0] romout;\n"
              "\n"
              "\n");
    out.write("always @(address) \n"
              "    case(address) \n");
    items(out);
    out.write("      default :");
    out.print(" romout = %d'b%s ;\n", m, std::string(static_cast<size_t>(m), '0').c_str());
    out.write("    endcase \n"
              "\n"
              "\n"
              "endmodule \n");
}

} // namespace ipgen::rs
