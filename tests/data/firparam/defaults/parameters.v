/////////////////////////////////////////////////////////////////
/////////////           Parameters.v              ///////////////
///////////// Automatic file created by C program ///////////////
/////////////////////////////////////////////////////////////////

// ------------ Basic user defines
`define TAP_WIDTH        8
`define COEFF_WIDTH      8
`define OUTPUT_WIDTH     19
`define NUM_TAPS         6
`define NUM_TAPS_EQ_6
`define NONSYMMETRIC_COEFF
`define ROUND_TRUNCATION
`define SIGNED
`define REAL_DATA_TYPE
`define COMPLEX_PARA_IN
`define COEFF_DEFAULT
`define NUM_COEFFS       6
`define NUM_MULTS        6
`define NUM_MULTS_EQ_6
`define NUM_CYCLES       1
`define SINGLECYCLE_FIR
`define SINGLE_CYCLE_PROCESSING
`define SCALING_NONE

// ------------ Calculated defines
`define MULT_WIDTH       8
`define MULT_OUT_WIDTH   16
`define LOGN             3
`define SOO_DATA_WIDTH   8
`define MBO_DATA_WIDTH   16
`define NUM_ADD_STAGES   3
`define NUM_ADD_STAGES_EQ_3
`define ATO_DATA_WIDTH   19
`define OUTPUT_FULL_WIDTH 19
`define TW_COUNT_WIDTH   4
`define ORDY_COUNT_WIDTH 5

/////////////////////////////////////////////////////////////////
/////////////////////  ENUMERATED DEFINES ///////////////////////
/////////////////////////////////////////////////////////////////

// ------------ Enumerated defines for number of taps
`define NUM_TAPS_1
`define NUM_TAPS_2
`define NUM_TAPS_3
`define NUM_TAPS_4
`define NUM_TAPS_5
`define NUM_TAPS_6

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
`define NUM_MULTS_3
`define NUM_MULTS_4
`define NUM_MULTS_5
`define NUM_MULTS_6

// ------------ Fixed coefficients values
`define COEFF_FIXED_0   8'h1
`define COEFF_FIXED_1   8'h2
`define COEFF_FIXED_2   8'h3
`define COEFF_FIXED_3   8'h4
`define COEFF_FIXED_4   8'h5
`define COEFF_FIXED_5   8'h6
