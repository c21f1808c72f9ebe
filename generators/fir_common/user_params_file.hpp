// user_params.txt, the FIR core's user parameter file: fourteen lines, each
// a decimal number followed by a comment that names it. firparam writes it
// with the formats below; both programs read it the same way: for each line
// a "%d" read, then the rest of the line is skipped with a 100-byte fgets.
#pragma once

#include "generators/fir_common/c_text_reader.hpp"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ipgen::fir {

inline constexpr const char* user_params_file_name = "user_params.txt";
inline constexpr int user_param_count = 14;

// The line skip after each number reads into a 100-byte buffer: at most 99
// characters. A longer comment would be split, its remainder taken as the
// next line, and every later value shifted.
inline constexpr std::size_t line_read_buffer = 100;
inline constexpr std::size_t max_text_after_number = line_read_buffer - 1;

// Line i of the file is written with user_param_formats[i - 1].
inline constexpr std::array<const char*, user_param_count> user_param_formats = {
    "%d   // Tap width\n",
    "%d   // Coeff width\n",
    "%d   // Number of taps\n",
    "%d   // Output width\n",
    "%d   // Filter type: 0-single, 1-multi, 2-deci, 3-inter\n",
    "%d   // Coeff loadability: 0-fixed, 1-loadable\n",
    "%d   // Symmetricity: 0-none, 1-even, 2-odd\n",
    "%d   // Rounding type: 0-truncation, 1-nearest\n",
    "%d   // Arithmetic type: 0-signed, 1-unsigned\n",
    "%d   // Data type: 0-real, 1-complex\n",
    "%d   // Number of cycles (MULTICYCLE)\n",
    "%d   // D_RATIO (DECIMATION)\n",
    "%d   // I_RATIO (INTERPOLATION)\n",
    "%d   // Complex input mode: 0-parallel, 1-serial\n",
};

// The name of line `line` (1 to 14) as its comment gives it, e.g.
// "Number of taps", for messages.
std::string user_param_name(int line);

// What the reads found on one line.
struct UserParamLine {
    std::optional<int> value;          // nullopt: no number where the line's number belongs
    bool out_of_range = false;         // the digits name a number beyond the 32-bit int range
    std::string number_text;           // the digits as written
    std::size_t text_after_number = 0; // characters from the number to the line end
};

using UserParamLines = std::array<UserParamLine, user_param_count>;

// Reads the fourteen lines exactly as the C reads do (a split line shifts
// the later ones, as it would there; validation refuses such a file).
UserParamLines read_user_param_lines(std::string_view text);

// "user_params.txt line 3 (Number of taps)"
std::string user_param_label(int line);

// The checks both programs make of the file's shape, each ending the run
// with one line "<program>: user_params.txt line N (name): <what>;
// accepted: <rule>" and exit status 2: a number beyond the int range, a
// line whose text after the number is longer than 99 characters and, when
// `number_required`, a line without a number.
void check_user_param_lines(const UserParamLines& lines, bool number_required,
                            std::string_view program);

// One refused value: the line of user_params.txt it stands on (for a
// count derived from several lines, the line whose value drives it and
// `whole_file` set), the value as the message shows it, what is accepted.
struct Problem {
    int line = 0;
    bool whole_file = false;
    std::string value;
    std::string accepted;

    // "user_params.txt line N (name): <value>; accepted: <accepted>", or
    // "user_params.txt: <value>; accepted: <accepted>" for the whole file.
    std::string text() const;
};

// Ends the run with the problem's message: "<program>: <text>", status 2.
[[noreturn]] void refuse(std::string_view program, const Problem& problem);

// Ends the run with the validation message for one line: status 2.
[[noreturn]] void refuse_user_param(std::string_view program, int line, std::string_view value,
                                    std::string_view accepted);

// Ends the run with a validation message about the file as a whole.
[[noreturn]] void refuse(std::string_view program, std::string_view message);

inline constexpr int refused_status = 2;

} // namespace ipgen::fir
