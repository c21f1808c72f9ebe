// ----------------------------------------------------------------------------
// ---------------------------- parameters.v ----------------------------------
// ----------------------------------------------------------------------------

// ----------------------------------------------------------------------------
//                            Basic user defines                               
// ----------------------------------------------------------------------------
`define CONS_LENGTH      7
`define CODE_RATE        2 
`define GP0              7'o171
`define GP1              7'o133
`define SOFT_DECISION
`define SOFT_WIDTH       3
`define SDD_UNSIGNED
`define PUNCTURED
`define PB_SIZE          4
`define PP0              4'b1101
`define PP1              4'b1011
`define TB_LENGTH        64
`define IMP_HYBRID
`define HYBRID_INDEX     2
`define BER_PRESENT
`define BER_PERIOD         10
`define KESTREL4_DEVICE
// ----------------------------------------------------------------------------
//                              Derived defines                                
// ----------------------------------------------------------------------------
`define K_1              6
`define NUM_STATES       64
`define K_1_C            4
`define K_C              5
`define NUM_ACSP         16
`define ACSP_WIDTH       5
`define NUM_BMUP         32
`define PROC_CYCLES      4
`define DIN_WIDTH        3
`define BM_WIDTH         4
`define NUM_METRICS      4
`define METRIC_WIDTH     16
`define NUM_DIN          1
`define DINBUS_WIDTH     3
`define BMBUS_WIDTH      128
`define PMBUS_WIDTH      512
`define ACSBUS_WIDTH     128
`define SIBUS_WIDTH      64
`define ENCOUT_WIDTH     64
`define PM_WIDTH         8
`define SM_DATA_WIDTH    64
`define SM_ADDR_WIDTH    6
`define SOFT_WIDTH_1     2
`define NULLBYTE         {1'b0,{2{1'b1}}}
`define PBCOUNT_WIDTH    3
`define BER_RATE         1023
`define BER_RATE_WIDTH   10
`define DL_LEN           321
`define DL_DATA_WIDTH    1
`define DL_ADDR_WIDTH    9
// ----------------------------------------------------------------------------
//                            Enumerated defines                               
// ----------------------------------------------------------------------------
`define K_EQ_7
`define HI_EQ_2
`define NUM_STATES_GE_32
`define NUM_GP_EQ_2 
`define BMUP0
`define BMUP1
`define BMUP2
`define BMUP3
`define BMUP4
`define BMUP5
`define BMUP6
`define BMUP7
`define BMUP8
`define BMUP9
`define BMUP10
`define BMUP11
`define BMUP12
`define BMUP13
`define BMUP14
`define BMUP15
`define BMUP16
`define BMUP17
`define BMUP18
`define BMUP19
`define BMUP20
`define BMUP21
`define BMUP22
`define BMUP23
`define BMUP24
`define BMUP25
`define BMUP26
`define BMUP27
`define BMUP28
`define BMUP29
`define BMUP30
`define BMUP31
`define NUM_MEM_1
`define NUM_MEM_2
