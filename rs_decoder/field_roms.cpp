#include "rs_decoder/field_roms.hpp"

#include "common/binary_literal.hpp"

#include <functional>
#include <string>

namespace ipgen::rs {

namespace {

void write_rom_item(TextSink& out, int m, const std::string& address, const std::string& value) {
    out.print("      %d'b%s :", m, address.c_str());
    out.print(" romout = %d'b%s ;\n", m, value.c_str());
}

// The frame both ROMs share; `items` writes the explicit case items.
void write_rom(TextSink& out, const char* module, int m,
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

} // namespace

void write_gfinvrom(TextSink& out, const GaloisField& field) {
    const int m = field.m;
    write_rom(out, "gfinvrom", m, [&](TextSink& sink) {
        // Exponent order: alpha^j holds alpha^-j.
        for (int j = 0; j < field.nlong; ++j) {
            write_rom_item(sink, m, binary_digits(field.gf_exp[static_cast<size_t>(j)], m),
                           binary_digits(field.power(field.nlong - j), m));
        }
        // Zero has no inverse; the ROM gives zero.
        const std::string zeros(static_cast<size_t>(m), '0');
        write_rom_item(sink, m, zeros, zeros);
    });
}

void write_gfromxp(TextSink& out, const GaloisField& field, int rootspace) {
    const int m = field.m;
    write_rom(out, "gfromxp", m, [&](TextSink& sink) {
        for (int j = 0; j < field.nlong; ++j) {
            const std::int64_t exponent = static_cast<std::int64_t>(j) * rootspace;
            write_rom_item(sink, m, binary_digits(j, m), binary_digits(field.power(exponent), m));
        }
        // The all-ones address is beta^nlong = 1.
        write_rom_item(sink, m, std::string(static_cast<size_t>(m), '1'), binary_digits(1, m));
    });
}

} // namespace ipgen::rs
