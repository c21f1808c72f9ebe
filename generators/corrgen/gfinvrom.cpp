#include "generators/corrgen/gfinvrom.hpp"

#include "generators/corrgen/case_rom.hpp"

namespace ipgen::rs {

void write_gfinvrom(TextSink& out, const GaloisField& field) {
    const int m = field.m;
    write_case_rom(out, "gfinvrom", m, [&](TextSink& sink) {
        RomItemWriter item(m);
        // Exponent order: alpha^j holds alpha^-j.
        for (int j = 0; j < field.nlong; ++j) {
            item.write(sink, field.gf_exp[static_cast<size_t>(j)], field.power(field.nlong - j));
        }
        // Zero has no inverse; the ROM gives zero.
        item.write(sink, 0, 0);
    });
}

} // namespace ipgen::rs
