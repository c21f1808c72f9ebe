#include "rs_decoder/gfinvrom.hpp"

#include "common/binary_literal.hpp"
#include "rs_decoder/case_rom.hpp"

#include <string>

namespace ipgen::rs {

void write_gfinvrom(TextSink& out, const GaloisField& field) {
    const int m = field.m;
    write_case_rom(out, "gfinvrom", m, [&](TextSink& sink) {
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

} // namespace ipgen::rs
