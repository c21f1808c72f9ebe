// Reading a text file the way the C library's fscanf and fgets read it.
// The FIR parameter and coefficient files are defined by those reads:
// "%d" skips any white space (line ends included) before a number, a line
// read stops after 99 characters, "%x" takes an optional 0x prefix. Each
// primitive below stops exactly where the C call stops, so a file is split
// into values exactly as the C reads split it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ipgen::fir {

// A number as a C conversion stores it, with the digits that gave it.
template <typename T>
struct Scanned {
    T value{};
    bool out_of_range = false; // the digits name a number beyond what T holds
    std::string text;          // the characters consumed for it: sign and digits
};

class CTextReader {
  public:
    explicit CTextReader(std::string_view text) : text_(text) {}

    bool at_end() const { return pos_ >= text_.size(); }
    std::size_t position() const { return pos_; }

    // The line of the position, counting from 1.
    int line() const;

    // Characters from the position up to the next line end (or the end).
    std::size_t rest_of_line() const;

    // A white-space directive of a format (" ", "\t" or "\n"): any run of
    // white space, line ends included.
    void skip_space();

    // "%d": white space, an optional sign, decimal digits. nullopt when no
    // digit follows; a sign before the failure is consumed, as the C
    // library does. A value beyond int keeps the low 32 bits of the
    // saturated long, as the C library stores it, with out_of_range set.
    std::optional<Scanned<int>> scan_int();

    // "%ld" with a 64-bit long: saturates at the long range.
    std::optional<Scanned<std::int64_t>> scan_long();

    // "%lu": a minus sign negates modulo 2^64; saturates at 2^64 - 1.
    std::optional<Scanned<std::uint64_t>> scan_ulong();

    // "%x" into an unsigned int: optional sign, optional 0x or 0X, hex digits
    // in either case; the low 32 bits of the unsigned long are stored.
    std::optional<Scanned<std::uint32_t>> scan_hex();

    // "%s": white space, then the characters up to the next white space.
    std::optional<std::string> scan_token();

    // fgets(buffer, buffer_size, file): at most buffer_size - 1 characters,
    // through the first line end. Empty at the end of the text.
    std::string read_line(std::size_t buffer_size);

  private:
    // Sign and magnitude of a run of digits in `base`; nullopt without a
    // digit. The magnitude saturates at 2^64 - 1.
    struct Digits {
        bool negative = false;
        std::uint64_t magnitude = 0;
        bool overflow = false;
        std::string text;
    };
    std::optional<Digits> scan_digits(int base);

    std::string text_; // a copy: the reader may outlive the caller's text
    std::size_t pos_ = 0;
};

} // namespace ipgen::fir
