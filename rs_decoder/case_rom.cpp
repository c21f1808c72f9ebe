#include "rs_decoder/case_rom.hpp"

namespace ipgen::rs {

void write_rom_item(TextSink& out, int m, const std::string& address, const std::string& value) {
    const std::string width = std::to_string(m);
    out.write("      " + width + "'b" + address + " : romout = " + width + "'b" + value + " ;\n");
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
