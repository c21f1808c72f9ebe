// firparam's user parameters: the fourteen values of user_params.txt, read
// at the start of a run (or set to the defaults when the file is missing)
// and written back after the derivation has normalised them.
#pragma once

#include "generators/common/text_sink.hpp"
#include "generators/fir_common/user_params_file.hpp"

#include <array>
#include <optional>
#include <string>

namespace ipgen::fir::param {

// The program's own names for the values, line 1 to 14 of the file.
struct FirUserParams {
    int m_nTapWidth = 0;
    int m_nCoeffWidth = 0;
    int m_nNumTaps = 0;
    int m_nOutWidth = 0;
    int m_nFilterType = 0;     // 0 single-cycle, 1 multi-cycle, 2 decimation, 3 interpolation
    int m_nCoeffLoad = 0;      // 0 fixed coefficients, 1 loadable
    int m_nSymmetry = 0;       // 0 none, 1 even (symmetric), 2 odd (antisymmetric)
    int m_nRoundType = 0;      // 0 truncation, 1 round to nearest
    int m_nArithmeticType = 0; // 0 signed, 1 unsigned
    int m_nDataType = 0;       // 0 real, 1 complex
    int m_nNumCycles = 0;      // cycles per output of the multi-cycle type
    int m_nDeciRatio = 0;      // decimation ratio
    int m_nInterRatio = 0;     // interpolation ratio
    int m_nComplexInMode = 0;  // 0 parallel, 1 serial complex input

    bool operator==(const FirUserParams&) const = default;
};

// The value of each line, in file order.
inline constexpr std::array<int FirUserParams::*, user_param_count> user_param_fields = {
    &FirUserParams::m_nTapWidth,       &FirUserParams::m_nCoeffWidth,
    &FirUserParams::m_nNumTaps,        &FirUserParams::m_nOutWidth,
    &FirUserParams::m_nFilterType,     &FirUserParams::m_nCoeffLoad,
    &FirUserParams::m_nSymmetry,       &FirUserParams::m_nRoundType,
    &FirUserParams::m_nArithmeticType, &FirUserParams::m_nDataType,
    &FirUserParams::m_nNumCycles,      &FirUserParams::m_nDeciRatio,
    &FirUserParams::m_nInterRatio,     &FirUserParams::m_nComplexInMode,
};

// 8-bit taps and coefficients, 6 taps, 19-bit output, single-cycle, fixed,
// non-symmetric, truncation, signed, real, 1 cycle, ratios 1, parallel.
FirUserParams default_params();

// The values of the lines; a line without a number keeps 0.
FirUserParams params_from_lines(const UserParamLines& lines);

struct UserFileRead {
    FirUserParams params;
    std::optional<UserParamLines> lines; // nullopt: the file was missing, defaults set
};

// ReadFromFile: reads user_params.txt from the working directory. When it
// does not exist, prints "Error opening user params file\nCreating file
// with default values ...\n" and takes the defaults. A file that exists but
// cannot be read (no permission, not a regular file, beyond 16 MiB) ends
// the run: FatalError "Error reading user_params.txt: <cause>; the file is
// left as it is", status 1.
UserFileRead ReadFromFile(TextSink& console);

// The fourteen lines as written.
std::string user_params_text(const FirUserParams& params);

// WriteToFile: replaces user_params.txt with the current values through a
// temporary file in the same directory and a rename, so that a failed
// write leaves the previous file as it was. On failure prints "Error
// opening user params file for writing\n" and returns false.
bool WriteToFile(const FirUserParams& params, TextSink& console);

} // namespace ipgen::fir::param
