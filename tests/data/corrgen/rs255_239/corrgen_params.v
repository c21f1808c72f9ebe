// RS(255,239) decoder core
// generated for the program tests

`define SYNC_START_PULSE
`define SYNDSELWIDTH 4
`define CNTIMAX 4'b1111




`define MAX_NUM_ERSRS 0
`define CNTIWIDTH 4
`define CNTJWIDTH 5
`define NUM_CHKSYMBS 16
`define NUMCHKSYMBSMINUS1 15
`define NUMCHKSYMBSMINUS2 14
`define NUMCHKSYMBSBY2 8
`define NUMCHKSYMBSBY2MINUS1 7
`define TPLUSMAXROBY2 8
`define CHKSYMBS_WIDTH 128
`define CHKSYMBS_WIDTHBY2 64
`define TAU_WIDTH 80
`define SIGMA_WIDTH 72
`define OMEGA_WIDTH 64
`define NUM_TOTAL_SYMBOLS                  8'b11111111
`define INPUT_DATA_WIDTH_8


`define NUM_DATA_SYMBOLS                   8'b11101111
`define INPUT_DATA_WIDTH                   8
`define MAX_COUNT_DATA_SYMBOL              8'b11101110
`define MAX_COUNT_TOTAL_SYMBOL             8'b11111110

`define MAX_CNT_TOTL_SYMB_MINUS1   8'b11111101
`define CONTINUOUS
