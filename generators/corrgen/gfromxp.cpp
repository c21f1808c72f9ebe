#include "generators/corrgen/gfromxp.hpp"

#include "generators/corrgen/case_rom.hpp"

#include <cstdint>

namespace ipgen::rs {

void write_gfromxp(TextSink& out, const GaloisField& field, int rootspace) {
    const int m = field.m;
    write_case_rom(out, "gfromxp", m, [&](TextSink& sink) {
        RomItemWriter item(m);
        for (int j = 0; j < field.nlong; ++j) {
            const std::int64_t exponent = static_cast<std::int64_t>(j) * rootspace;
            item.write(sink, j, field.power(exponent));
        }
        // The all-ones address is beta^nlong = 1.
        item.write(sink, field.nlong, 1);
    });
}

} // namespace ipgen::rs
