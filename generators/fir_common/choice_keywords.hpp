// The choices of user_params.txt (lines 5 to 10 and 14) and the define
// names they stand for in both programs' parameters.v. A value outside its
// table has no define: both programs refuse it before anything is written.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace ipgen::fir {

inline constexpr std::array<const char*, 4> filter_keywords = {
    "SINGLECYCLE_FIR", "MULTICYCLE_FIR", "DECIMATION_FIR", "INTERPOLATION_FIR"};
inline constexpr std::array<const char*, 2> coeff_keywords = {"COEFF_DEFAULT", "COEFF_LOAD"};
inline constexpr std::array<const char*, 3> symmetry_keywords = {
    "NONSYMMETRIC_COEFF", "SYMMETRIC_COEFF", "ANTISYMMETRIC_COEFF"};
inline constexpr std::array<const char*, 2> rounding_keywords = {"ROUND_TRUNCATION",
                                                                 "ROUND_NEAREST"};
inline constexpr std::array<const char*, 2> arithmetic_keywords = {"SIGNED", "UNSIGNED"};
inline constexpr std::array<const char*, 2> data_type_keywords = {"REAL_DATA_TYPE",
                                                                  "COMPLEX_DATA_TYPE"};
inline constexpr std::array<const char*, 2> complex_in_keywords = {"COMPLEX_PARA_IN",
                                                                   "COMPLEX_SERI_IN"};

// What a line of choices accepts: "0 to 3 (0 SINGLECYCLE_FIR, ...)".
std::string accepted_choices(std::span<const char* const> keywords);

// Refuses a choice outside its table: "<program>: user_params.txt line 5
// (Filter type): 7; accepted: 0 to 3 (0 SINGLECYCLE_FIR, ...)", status 2.
void check_choice(std::string_view program, int line, int value,
                  std::span<const char* const> keywords);

} // namespace ipgen::fir
