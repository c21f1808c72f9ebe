// The reading primitives of viterbi_params.v: the C library's formatted
// input, as pure functions over the bytes of the file. Each takes the text
// and the position where reading stands and says where it stops, so the
// reader reproduces exactly which bytes every conversion and every
// line-discard consumes, including what a failed conversion leaves behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ipgen::viterbi {

// The "%d" conversion of fscanf.
struct ScannedInt {
    bool converted = false;    // false: the field keeps its value
    std::int64_t value = 0;    // clamped to the int range when out_of_range
    bool out_of_range = false; // the digits name a number beyond 32-bit int
    std::string text;          // sign and digits as read (for messages)
    std::size_t next = 0;      // where reading goes on
};

// The "%s" conversion of fscanf.
struct ScannedWord {
    bool converted = false;
    std::string word;
    std::size_t next = 0;
};

// A white-space directive (" " or "\n" in a format): skips every white-space
// character, line ends included, possibly none.
std::size_t skip_c_space(std::string_view text, std::size_t pos);

// "%d": skips white space, then reads an optional sign and decimal digits and
// stops right after the last digit. With no digit the conversion fails; a
// sign already read stays consumed, the character after it does not.
ScannedInt scan_int(std::string_view text, std::size_t pos);

// "%d\n": "%d", then, only when the number was converted, skips all white
// space after it, line ends included.
ScannedInt scan_int_line(std::string_view text, std::size_t pos);

// "%s": skips white space, then reads characters up to the next white space
// or the end. Fails (and reads nothing more) when only white space is left.
ScannedWord scan_word(std::string_view text, std::size_t pos);

// fgets into a buffer of `buffer_size` bytes, the contents thrown away:
// reads at most buffer_size - 1 characters, stopping after a line end.
// Returns where reading goes on.
inline constexpr std::size_t discard_buffer_size = 100;
std::size_t discard_line(std::string_view text, std::size_t pos,
                         std::size_t buffer_size = discard_buffer_size);

} // namespace ipgen::viterbi
