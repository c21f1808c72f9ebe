// firgen's view of user_params.txt: the fourteen numbers, the keywords the
// choice indices stand for, and the checks that keep the run inside the
// range where the core's parameter file is defined.
#pragma once

#include "generators/fir_common/choice_keywords.hpp"
#include "generators/fir_common/user_params_file.hpp"

#include <string_view>
#include <vector>

namespace ipgen::fir::gen {

struct FirGenParams {
    int data_width = 0;       // W, line 2 (line 1 is read into the same value first)
    int num_taps = 0;         // T, line 3
    int output_width = 0;     // OW, line 4
    int filter_index = 0;     // line 5
    int coeff_index = 0;      // line 6
    int symmetry_index = 0;   // line 7
    int rounding_index = 0;   // line 8
    int arithmetic_index = 0; // line 9; also the unsigned flag of the conversion
    int data_type_index = 0;  // line 10
    int num_cycles = 0;       // NC, line 11
    int deci_ratio = 0;       // D, line 12
    int inter_ratio = 0;      // U, line 13
    int complex_in_index = 0; // line 14
};

// The keywords of the choices (tables in fir/common/choice_keywords.hpp):
// all later decisions compare these strings, not the indices.
struct FirGenKeywords {
    std::string_view filter; // F
    std::string_view coeff;  // coefficient mode
    std::string_view symmetry;
    std::string_view data_type;
    std::string_view arithmetic;
    std::string_view rounding;
    std::string_view complex_in; // "NULL" unless the data type is complex
};

// The values of the lines; a line without a number reads as 0 here (the
// validation refuses such a file before anything uses it).
FirGenParams firgen_params_from_lines(const UserParamLines& lines);

// The keywords of valid indices.
FirGenKeywords look_up_keywords(const FirGenParams& params);

// Every value firgen cannot turn into a defined parameter file, in the
// order it checks them: T >= 1, every index within its table (the
// complex-input index only for complex data), NC, D or U >= 1 where they
// divide, the multiplier count at most 64 (the adder tree of the core has
// six stages), with fixed coefficients at most 64 of them and a width W of
// 1 to 32 (the conversion is 32-bit), W and OW >= 1 in every mode, and
// every derived width and count within the 32-bit range. Checks that need
// the derivation are made only when the choices and divisors passed.
std::vector<Problem> check(const FirGenParams& params);

// Refuses a file the run cannot turn into a defined parameter file; throws
// FatalError with one line on standard output and exit status 2. Checks:
// the shape of every line, every index within its table (the complex-input
// index only for complex data), T >= 1, NC, D or U >= 1 where they divide,
// the multiplier count at most 64 (the adder tree of the core has six
// stages), with fixed coefficients at most 64 of them and a width W of 1
// to 32 (the conversion is 32-bit), W and OW >= 1 in every mode, and every
// derived width and count within the 32-bit range.
void validate_firgen(const UserParamLines& lines, const FirGenParams& params);

} // namespace ipgen::fir::gen
