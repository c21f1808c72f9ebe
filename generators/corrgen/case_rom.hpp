// The frame both look-up ROMs of the decoder share: a module with an m-bit
// address and an m-bit romout, one combinational case statement, items in
// the ROM's own order, then a default of zero.
#pragma once

#include "generators/common/text_sink.hpp"

#include <cstdint>
#include <functional>
#include <string>

namespace ipgen::rs {

// The case items, "      <m>'b<address> : romout = <m>'b<value> ;" with
// both in m binary digits. The ROMs have 2^m of them: the line is laid out
// once and only its digits change from item to item.
class RomItemWriter {
  public:
    explicit RomItemWriter(int m);
    void write(TextSink& out, std::int64_t address, std::int64_t value);

  private:
    int m_;
    std::string line_;
    std::size_t address_at_;
    std::size_t value_at_;
};

// The whole module after the copied header; `items` writes the explicit
// case items.
void write_case_rom(TextSink& out, const char* module, int m,
                    const std::function<void(TextSink&)>& items);

} // namespace ipgen::rs
