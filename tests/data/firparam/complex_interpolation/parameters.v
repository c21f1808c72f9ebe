/////////////////////////////////////////////////////////////////
/////////////           Parameters.v              ///////////////
///////////// Automatic file created by C program ///////////////
/////////////////////////////////////////////////////////////////

// ------------ Basic user defines
`define TAP_WIDTH        8
`define COEFF_WIDTH      8
`define OUTPUT_WIDTH     18
`define NUM_TAPS         2
`define NUM_TAPS_EQ_2
`define NONSYMMETRIC_COEFF
`define ROUND_TRUNCATION
`define SIGNED
`define COMPLEX_DATA_TYPE
`define COMPLEX_PARA_IN
`define COEFF_DEFAULT
`define NUM_COEFFS       6
`define NUM_MULTS        2
`define NUM_MULTS_EQ_2
`define NUM_CYCLES       1
`define INTERPOLATION_FIR
`define SINGLE_CYCLE_PROCESSING
`define DS_SEL_WIDTH     2
`define NUM_ZERO_PADDING
`define U_RATIO          4
`define U_RATIO_EQ_4
`define SCALING_NONE

// ------------ Calculated defines
`define MULT_WIDTH       8
`define MULT_OUT_WIDTH   16
`define LOGN             3
`define SOO_DATA_WIDTH   8
`define MBO_DATA_WIDTH   16
`define NUM_ADD_STAGES   1
`define NUM_ADD_STAGES_EQ_1
`define ATO_DATA_WIDTH   17
`define OUTPUT_FULL_WIDTH 18
`define TW_COUNT_WIDTH   4
`define ORDY_COUNT_WIDTH 5

/////////////////////////////////////////////////////////////////
/////////////////////  ENUMERATED DEFINES ///////////////////////
/////////////////////////////////////////////////////////////////

// ------------ Enumerated defines for number of taps
`define NUM_TAPS_1
`define NUM_TAPS_2

// ------------ Enumerated defines for Multiplier width
`define MULT_WIDTH_1
`define MULT_WIDTH_2
`define MULT_WIDTH_3
`define MULT_WIDTH_4
`define MULT_WIDTH_5
`define MULT_WIDTH_6
`define MULT_WIDTH_7
`define MULT_WIDTH_8

// ------------ Enumerated defines for Number of multipliers
`define NUM_MULTS_1
`define NUM_MULTS_2

// ------------ Fixed coefficients values
`define COEFF_FIXED_0   {8'h01,8'hff}
`define COEFF_FIXED_1   {8'h02,8'hfe}
`define COEFF_FIXED_2   {8'h03,8'hfd}
`define COEFF_FIXED_3   {8'h04,8'hfc}
`define COEFF_FIXED_4   {8'h05,8'hfb}
`define COEFF_FIXED_5   {8'h06,8'hfa}
