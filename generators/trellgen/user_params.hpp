// The user's choices for a Viterbi decoder core, as read from
// viterbi_params.v: one item per line, the value first, then a comment.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ipgen::viterbi {

inline constexpr const char* user_params_file_name = "viterbi_params.v";

// The generator polynomials the decoder's branch-metric units hold.
inline constexpr int max_polynomials = 3;

struct ViterbiUserParams {
    int cons_length = 0;                   // K
    int code_rate = 0;                     // n: polynomials; the code rate is 1/n
    std::array<int, max_polynomials> gp{}; // octal digits read as a decimal number
    int soft_decision = 0;                 // 1: soft-decision input symbols
    int soft_width = 0;                    // SW, read only with soft decision
    int sdd_unsigned = 0;                  // 1: unsigned soft symbols
    int punctured = 0;                     // 1: punctured code
    int pb_size = 0;                       // PB, read only when punctured
    std::string pp0;                       // puncture patterns as written
    std::string pp1;
    int tb_length = 0;          // TB, traceback length
    int hybrid = 0;             // 1: partly serial add-compare-select
    int hybrid_index = 0;       // HI, read only when hybrid
    int ber_present = 0;        // 1: bit-error-rate monitor
    int ber_period = 0;         // BP, read only with the monitor
    std::uint32_t ber_rate = 0; // 2^BP - 1
    int device = 0;             // 0 other vendor, 1 Quarry, 2 Quarry KESTREL 4

    bool operator==(const ViterbiUserParams&) const = default;
};

// The names of the items, as messages about them say.
namespace item {
inline constexpr const char* cons_length = "constraint length";
inline constexpr const char* code_rate = "number of polynomials";
inline constexpr const char* polynomial = "polynomial GP"; // followed by its index
inline constexpr const char* soft_decision = "soft-decision flag";
inline constexpr const char* soft_width = "soft width";
inline constexpr const char* sdd_unsigned = "unsigned flag";
inline constexpr const char* punctured = "punctured flag";
inline constexpr const char* pb_size = "puncture block size";
inline constexpr const char* pp0 = "first puncture pattern";
inline constexpr const char* pp1 = "second puncture pattern";
inline constexpr const char* tb_length = "traceback length";
inline constexpr const char* hybrid = "hybrid flag";
inline constexpr const char* hybrid_index = "hybrid index";
inline constexpr const char* ber_present = "BER flag";
inline constexpr const char* ber_period = "BER period exponent";
} // namespace item

// A number in the file that does not fit a 32-bit int (its field holds the
// clamped value); the first one met is kept for the validation to refuse.
struct OutOfRangeItem {
    std::string item;
    std::string text;
};

struct UserParamsReading {
    ViterbiUserParams params; // device left at 0
    std::optional<OutOfRangeItem> out_of_range;
};

// 2^BP - 1 as the double-precision power of two minus one, truncated; 0
// below BP = 0 and all ones above BP = 32, where no 32-bit value exists.
std::uint32_t ber_rate_for(int ber_period);

// Reads the items from the bytes of viterbi_params.v. Every item is one
// conversion ("%d\n" for items 1 to 8, "%s" for the patterns, "%d" for
// items 11 to 15) followed by discarding the rest of its line (at most 99
// characters). A conversion that fails leaves its field as it is and reading
// goes on, so a short or malformed file gives zeros, never an error here.
UserParamsReading parse_user_params(std::string_view bytes);

// The text of viterbi_params.v for a record: one item per line, the value
// first, then a comment naming it (the comment also keeps the line end of
// items 1 to 8 from being skipped). Items a flag leaves out are not
// written; parse_user_params reads the same record back (device and
// ber_rate aside: the file holds neither).
std::string user_params_text(const ViterbiUserParams& params);

// viterbi_params.v has some twenty short lines; anything beyond this (a link
// to /dev/zero, which never ends) is not read to the end.
inline constexpr std::size_t max_user_params_size = std::size_t{16} << 20;

// Reads viterbi_params.v (or another path). A file that cannot be opened or
// read, or is longer than max_user_params_size, ends the run: "Error !
// viterbi_params.v not existed\n", status -1.
UserParamsReading read_user_params(const std::string& path = user_params_file_name);

} // namespace ipgen::viterbi
