// The frame both look-up ROMs of the decoder share: a module with an m-bit
// address and an m-bit romout, one combinational case statement, items in
// the ROM's own order, then a default of zero.
#pragma once

#include "common/text_sink.hpp"

#include <cstdint>
#include <functional>
#include <string>

namespace ipgen::rs {

// "      <m>'b<address> : romout = <m>'b<value> ;", both in m binary digits.
void write_rom_item(TextSink& out, int m, std::int64_t address, std::int64_t value);

// The whole module after the copied header; `items` writes the explicit
// case items.
void write_case_rom(TextSink& out, const char* module, int m,
                    const std::function<void(TextSink&)>& items);

} // namespace ipgen::rs
