#include "generators/corrgen/multiplier.hpp"

#include "generators/rs_common/xor_equation.hpp"

namespace ipgen::rs {

std::vector<std::int64_t> root_exponents(std::int64_t first_root, std::int64_t rootspace, int nlong,
                                         int r) {
    std::vector<std::int64_t> exponents;
    for (int s = 0; s < r; ++s) {
        exponents.push_back(((first_root + s) * rootspace) % nlong);
    }
    return exponents;
}

void write_multiplier(TextSink& out, const GaloisField& field, std::int64_t first_root,
                      std::int64_t rootspace, int r) {
    out.write("`timescale 1ns/1ns\n"
              "\n"
              "\n"
              "\n"
              "\n");
    out.write("module multiplier(\n"
              "             mult_out,\n"
              "             mult_in\n"
              "                );\n");
    out.write("// input ports\n"
              "input  [`CHKSYMBS_WIDTH-1:0] mult_in;\n"
              "\n"
              "\n");
    out.write("// output ports\n"
              "output  [`CHKSYMBS_WIDTH-1:0] mult_out;\n"
              "\n"
              "\n");
    const std::vector<std::int64_t> exponents =
        root_exponents(first_root, rootspace, field.nlong, r);
    for (int s = 0; s < r; ++s) {
        const std::int64_t slice = static_cast<std::int64_t>(s) * field.m;
        write_constant_multiplier(out, field, exponents[static_cast<size_t>(s)],
                                  BusSlice{"mult_out", slice}, BusSlice{"mult_in", slice});
    }
    out.write("\n"
              "\n"
              "endmodule\n");
}

} // namespace ipgen::rs
