// Reed-Solomon encoder core
// configuration under test


`define CONTINUOUS                          
`define PIPE1                            
`define NUM_TOTAL_SYMBOLS                  8'b11111111
`define NUM_DATA_SYMBOLS                   8'b11101111
`define INPUT_DATA_WIDTH                   8
`define REMAINDER_WIDTH                    128
`define MAX_COUNT_DATA_SYMBOL              8'b11101110
`define MAX_COUNT_TOTAL_SYMBOL             8'b11111110
`define MAX_COUNT_DATA_SYMBOL_MINUS_TWO    8'b11101100
`define MAX_COUNT_TOTAL_SYMBOL_MINUS_TWO   8'b11111100
