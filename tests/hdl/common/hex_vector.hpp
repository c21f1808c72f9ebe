// A wide bit vector built field by field, most significant field first, and
// written as one hexadecimal word: the line format of $readmemh.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ipgen::hdl {

class HexVector {
  public:
    // Appends `width` bits of `value` below the fields already there.
    HexVector& push(std::uint64_t value, int width);
    int width() const { return static_cast<int>(bits_.size()); }
    // Hexadecimal digits, most significant first, zero-padded to whole digits.
    std::string hex() const;

  private:
    std::vector<bool> bits_; // most significant bit first
};

} // namespace ipgen::hdl
