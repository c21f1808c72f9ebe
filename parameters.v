// ----------------------------------------------------------------------------
// ---------------------------- parameters.v ----------------------------------
// ----------------------------------------------------------------------------

// ----------------------------------------------------------------------------
//                            Basic user defines                               
// ----------------------------------------------------------------------------
`define CONS_LENGTH      5
`define CODE_RATE        2 
`define GP0              5'o23
`define GP1              5'o35
`define HARD_DECISION
`define NON_PUNCTURED
`define TB_LENGTH        25
`define IMP_PARALLEL
`define KESTREL4_DEVICE
// ----------------------------------------------------------------------------
//                              Derived defines                                
// ----------------------------------------------------------------------------
`define K_1              4
`define NUM_STATES       16
`define NUM_ACSP         16
`define ACSP_WIDTH       5
`define NUM_BMUP         32
`define PROC_CYCLES      1
`define DIN_WIDTH        1
`define BM_WIDTH         2
`define NUM_METRICS      4
`define METRIC_WIDTH     8
`define NUM_DIN          2
`define DINBUS_WIDTH     2
`define BMBUS_WIDTH      64
`define PMBUS_WIDTH      64
`define ACSBUS_WIDTH     64
`define SIBUS_WIDTH      16
`define ENCOUT_WIDTH     64
`define PM_WIDTH         4
`define SM_DATA_WIDTH    16
`define SM_ADDR_WIDTH    5
// ----------------------------------------------------------------------------
//                            Enumerated defines                               
// ----------------------------------------------------------------------------
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
