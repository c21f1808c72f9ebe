#include "generators/corrgen/case_rom.hpp"

#include <algorithm>

namespace ipgen::rs {

namespace {

// Overwrites text[at, at + width) with the low `width` bits of `value`, most
// significant first.
void put_binary_digits(std::string& text, std::size_t at, std::int64_t value, int width) {
    for (int bit = width - 1; bit >= 0; --bit) {
        text[at++] = ((value >> bit) & 1) != 0 ? '1' : '0';
    }
}

} // namespace

RomItemWriter::RomItemWriter(int m) : m_(m) {
    const std::string width = std::to_string(m);
    const std::string digits(static_cast<size_t>(std::max(m, 0)), '0');
    line_ = "      " + width + "'b";
    address_at_ = line_.size();
    line_ += digits + " : romout = " + width + "'b";
    value_at_ = line_.size();
    line_ += digits + " ;\n";
}

void RomItemWriter::write(TextSink& out, std::int64_t address, std::int64_t value) {
    put_binary_digits(line_, address_at_, address, m_);
    put_binary_digits(line_, value_at_, value, m_);
    out.write(line_);
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
