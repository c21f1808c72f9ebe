// The testbench's beats: one line of tb_in.hex or tb_out.hex, a hexadecimal
// number of a fixed width, the fields of the stream's tlast, tuser and tdata
// side by side. Each core's beat codec (cores/<core>/<core>_beats.cpp) reads
// its tb_in.hex beats with these and writes its tb_out.hex beats, both for
// the folder's vectors and for `ipgen model`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace ipgen::front {

// A line that is not a beat of the configuration, or beats that do not
// make a whole input: `line` counts from 1 (0: the file as a whole).
class BeatError : public std::runtime_error {
  public:
    BeatError(std::size_t line, const std::string& why, std::string accepted)
        : std::runtime_error(why), line_(line), accepted_(std::move(accepted)) {}
    std::size_t line() const { return line_; }
    const std::string& accepted() const { return accepted_; }

  private:
    std::size_t line_;
    std::string accepted_;
};

// One beat read from its line: exactly ceil(bits / 4) hexadecimal digits
// (either case), no bit set at or above `bits`. `index` is the line's
// index in the file (from 0), for the error.
class Beat {
  public:
    Beat(const std::string& text, int bits, std::size_t index);
    bool bit(int at) const { return bits_[static_cast<std::size_t>(at)]; }
    // Bits lo .. lo+width-1 as an unsigned number (width at most 64).
    std::uint64_t field(int lo, int width) const;
    // The same bits as a two's complement number.
    std::int64_t signed_field(int lo, int width) const;

  private:
    std::vector<bool> bits_; // least significant first
};

// A beat written from its fields, most significant first, each {value,
// width}; a value narrower than its field is sign-extended. ceil(bits / 4)
// lowercase digits.
std::string hex_word(std::initializer_list<std::pair<std::int64_t, int>> fields);
// The same for fields gathered at run time.
std::string hex_word(const std::vector<std::pair<std::int64_t, int>>& fields);

} // namespace ipgen::front
