#include "generators/firparam/parameters_file.hpp"

#include "generators/common/output_file.hpp"
#include "generators/fir_common/coefficient_files.hpp"

namespace ipgen::fir::param {

namespace {

long long ll(std::int64_t value) {
    return static_cast<long long>(value);
}

// The coefficients do not fill the last cycle (ratio) evenly: the core pads
// with zero coefficients. The divisor is at least 1 after OnUpdate.
bool zero_padding(std::int64_t coeffs, std::int64_t divisor) {
    return divisor != 0 && coeffs % divisor != 0;
}

void write_filter_type_group(TextSink& out, const FirUserParams& p, const FirParamDerived& d) {
    switch (p.m_nFilterType) {
    case 0:
        out.print("`define SINGLECYCLE_FIR\n");
        out.print("`define SINGLE_CYCLE_PROCESSING\n");
        break;
    case 1:
        out.print("`define MULTICYCLE_FIR\n");
        out.print("`define MULTI_CYCLE_PROCESSING\n");
        out.print("`define NUM_CYCLES_EQ_%d\n", p.m_nNumCycles);
        out.print("`define DS_SEL_WIDTH     %lld\n", ll(d.m_nDsSelWidth));
        if (zero_padding(d.m_nNumCoeffs, p.m_nNumCycles)) {
            out.print("`define NUM_ZERO_PADDING\n");
        }
        break;
    case 2:
        out.print("`define DECIMATION_FIR\n");
        out.print("`define MULTI_CYCLE_PROCESSING\n");
        out.print("`define DS_SEL_WIDTH     %lld\n", ll(d.m_nDsSelWidth));
        if (zero_padding(d.m_nNumCoeffs, p.m_nDeciRatio)) {
            out.print("`define NUM_ZERO_PADDING\n");
        }
        out.print("`define D_RATIO          %d\n", p.m_nDeciRatio);
        out.print("`define D_RATIO_EQ_%d\n", p.m_nDeciRatio);
        break;
    case 3:
        out.print("`define INTERPOLATION_FIR\n");
        out.print("`define SINGLE_CYCLE_PROCESSING\n");
        out.print("`define DS_SEL_WIDTH     %lld\n", ll(d.m_nDsSelWidth));
        if (zero_padding(d.m_nNumCoeffs, p.m_nInterRatio)) {
            out.print("`define NUM_ZERO_PADDING\n");
        }
        out.print("`define U_RATIO          %d\n", p.m_nInterRatio);
        out.print("`define U_RATIO_EQ_%d\n", p.m_nInterRatio);
        break;
    default:
        out.print("`define SINGLECYCLE_FIR\n");
        break;
    }
}

void write_fixed_coefficients(TextSink& out, const FirUserParams& p, const FirParamDerived& d,
                              const FixedTokens& fixed) {
    const long long w = ll(d.m_nCoeffWidthAdj);
    out.print("\n// ------------ Fixed coefficients values\n");
    for (std::int64_t i = 0; i < d.m_nNumCoeffs; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (p.m_nDataType == 0) {
            if (fixed) {
                out.print("`define COEFF_FIXED_%lld   %lld'h%s\n", ll(i), w, (*fixed)[k].c_str());
            } else {
                out.print("`define COEFF_FIXED_%lld   %lld'h%llx\n", ll(i), w, ll(i + 1));
            }
        } else if (fixed) {
            out.print("`define COEFF_FIXED_%lld   {%lld'h%s,%lld'h%s}\n", ll(i), w,
                      (*fixed)[2 * k].c_str(), w, (*fixed)[2 * k + 1].c_str());
        } else {
            out.print("`define COEFF_FIXED_%lld   {%lld'h%llx,%lld'h%llx}\n", ll(i), w, ll(i + 1),
                      w, ll(i + 1));
        }
    }
}

} // namespace

void write_params(TextSink& out, const FirUserParams& p, const FirParamDerived& d,
                  const FixedTokens& fixed) {
    out.print("/////////////////////////////////////////////////////////////////\n");
    out.print("/////////////           Parameters.v              ///////////////\n");
    out.print("///////////// Automatic file created by C program ///////////////\n");
    out.print("/////////////////////////////////////////////////////////////////\n\n");
    out.print("// ------------ Basic user defines\n");
    out.print("`define TAP_WIDTH        %lld\n", ll(d.m_nTapWidthAdj));
    out.print("`define COEFF_WIDTH      %lld\n", ll(d.m_nCoeffWidthAdj));
    out.print("`define OUTPUT_WIDTH     %lld\n", ll(d.m_nOutWidthAdj));
    out.print("`define NUM_TAPS         %lld\n", ll(d.m_nNumTapsAdj));
    out.print("`define NUM_TAPS_EQ_%lld\n", ll(d.m_nNumTapsAdj));
    switch (p.m_nSymmetry) {
    case 1:
        out.print("`define SYMMETRIC_COEFF\n");
        break;
    case 2:
        out.print("`define ANTISYMMETRIC_COEFF\n");
        break;
    default:
        out.print("`define NONSYMMETRIC_COEFF\n");
        break;
    }
    if (p.m_nRoundType == 0) {
        out.print("`define ROUND_TRUNCATION\n");
    } else if (p.m_nRoundType == 1) {
        out.print("`define ROUND_NEAREST\n");
    }
    if (p.m_nArithmeticType == 0) {
        out.print("`define SIGNED\n");
    } else if (p.m_nArithmeticType == 1) {
        out.print("`define UNSIGNED\n");
    }
    if (p.m_nDataType == 0) {
        out.print("`define REAL_DATA_TYPE\n");
    } else if (p.m_nDataType == 1) {
        out.print("`define COMPLEX_DATA_TYPE\n");
    }
    if (p.m_nComplexInMode == 0) {
        out.print("`define COMPLEX_PARA_IN\n");
    } else if (p.m_nComplexInMode == 1) {
        out.print("`define COMPLEX_SERI_IN\n");
    }
    if (p.m_nCoeffLoad == 0) {
        out.print("`define COEFF_DEFAULT\n");
    } else if (p.m_nCoeffLoad == 1) {
        out.print("`define COEFF_LOAD\n");
    }
    out.print("`define NUM_COEFFS       %lld\n", ll(d.m_nNumCoeffs));
    out.print("`define NUM_MULTS        %lld\n", ll(d.m_nNumMults));
    out.print("`define NUM_MULTS_EQ_%lld\n", ll(d.m_nNumMults));
    out.print("`define NUM_CYCLES       %d\n", p.m_nNumCycles);
    write_filter_type_group(out, p, d);
    if (d.m_nOutFullWidth - d.m_nOutWidthAdj == 0) {
        out.print("`define SCALING_NONE\n");
    } else if (d.m_nOutFullWidth - d.m_nOutWidthAdj == 1) {
        out.print("`define SCALING_ONE_BIT\n");
    }

    out.print("\n// ------------ Calculated defines\n");
    out.print("`define MULT_WIDTH       %lld\n", ll(d.m_nMultParWidth));
    out.print("`define MULT_OUT_WIDTH   %lld\n", ll(d.m_nMboDataWidth));
    out.print("`define LOGN             %lld\n", ll(d.m_nLogn));
    out.print("`define SOO_DATA_WIDTH   %lld\n", ll(d.m_nSooDataWidth));
    out.print("`define MBO_DATA_WIDTH   %lld\n", ll(d.m_nMboDataWidth));
    out.print("`define NUM_ADD_STAGES   %lld\n", ll(d.m_nNumAddStages));
    out.print("`define NUM_ADD_STAGES_EQ_%lld\n", ll(d.m_nNumAddStages));
    out.print("`define ATO_DATA_WIDTH   %lld\n", ll(d.m_nAtoDataWidth));
    out.print("`define OUTPUT_FULL_WIDTH %lld\n", ll(d.m_nOutFullWidth));
    out.print("`define TW_COUNT_WIDTH   %lld\n", ll(d.m_nTwCountWidth));
    out.print("`define ORDY_COUNT_WIDTH %lld\n", ll(d.m_nOrdyCountWidth));
    if (d.m_nAdderInOp != 0) {
        out.print("`define ADDER_IN_OP\n");
    }
    out.print("\n");

    out.print("/////////////////////////////////////////////////////////////////\n");
    out.print("/////////////////////  ENUMERATED DEFINES ///////////////////////\n");
    out.print("/////////////////////////////////////////////////////////////////\n");
    out.print("\n// ------------ Enumerated defines for number of taps\n");
    for (std::int64_t i = 0; i < d.m_nNumTapsAdj; ++i) {
        out.print("`define NUM_TAPS_%lld\n", ll(i + 1));
    }
    out.print("\n// ------------ Enumerated defines for Multiplier width\n");
    for (std::int64_t i = 0; i < d.m_nMultParWidth; ++i) {
        out.print("`define MULT_WIDTH_%lld\n", ll(i + 1));
    }
    out.print("\n// ------------ Enumerated defines for Number of multipliers\n");
    for (std::int64_t i = 0; i < d.m_nNumMults; ++i) {
        out.print("`define NUM_MULTS_%lld\n", ll(i + 1));
    }
    if (p.m_nCoeffLoad == 0) {
        write_fixed_coefficients(out, p, d, fixed);
    }
}

FixedTokens read_fixed_tokens(const FirUserParams& p, const FirParamDerived& d, TextSink& console) {
    const bool complex = p.m_nDataType != 0;
    const CoefficientFiles& files = complex ? complex_coefficient_files : real_coefficient_files;
    auto hex = read_hex_tokens(files, static_cast<int>(d.m_nNumCoeffs), complex);
    if (!hex.opened || hex.bad_line) {
        console.print("Error reading coeff hex file: %s; Using default coeff values\n", files.hex);
        return std::nullopt;
    }
    return std::move(hex.values);
}

bool WriteParamsFile(const FirUserParams& p, const FirParamDerived& d,
                     const std::optional<std::string>& converted_hex, TextSink& console) {
    OutputFile out(parameters_file_name);
    if (!out.is_open()) {
        console.print("Error opening file for writing\n");
        return false;
    }
    FixedTokens fixed;
    if (p.m_nCoeffLoad == 0) {
        fixed = converted_hex ? parse_hex_tokens(*converted_hex, static_cast<int>(d.m_nNumCoeffs),
                                                 p.m_nDataType != 0)
                                    .values
                              : read_fixed_tokens(p, d, console);
    }
    write_params(out, p, d, fixed);
    if (!out.close()) {
        console.print("Error writing %s\n", parameters_file_name);
        return false;
    }
    return true;
}

} // namespace ipgen::fir::param
