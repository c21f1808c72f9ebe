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
`define SDD_SIGNED
`define NON_PUNCTURED
`define TB_LENGTH        64
`define IMP_PARALLEL
`define NONQUARRY_DEVICE
// ----------------------------------------------------------------------------
//                              Derived defines                                
// ----------------------------------------------------------------------------
`define K_1              6
`define NUM_STATES       64
`define NUM_ACSP         64
`define ACSP_WIDTH       7
`define NUM_BMUP         128
`define PROC_CYCLES      1
`define DIN_WIDTH        3
`define BM_WIDTH         4
`define NUM_METRICS      4
`define METRIC_WIDTH     16
`define NUM_DIN          2
`define DINBUS_WIDTH     6
`define BMBUS_WIDTH      512
`define PMBUS_WIDTH      512
`define ACSBUS_WIDTH     512
`define SIBUS_WIDTH      64
`define ENCOUT_WIDTH     256
`define PM_WIDTH         8
`define SM_DATA_WIDTH    64
`define SM_ADDR_WIDTH    6
`define PREFIX0          2'b00
`define PREFIX1          2'b10
// ----------------------------------------------------------------------------
//                            Enumerated defines                               
// ----------------------------------------------------------------------------
`define NUM_STATES_GE_16
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
`define BMUP32
`define BMUP33
`define BMUP34
`define BMUP35
`define BMUP36
`define BMUP37
`define BMUP38
`define BMUP39
`define BMUP40
`define BMUP41
`define BMUP42
`define BMUP43
`define BMUP44
`define BMUP45
`define BMUP46
`define BMUP47
`define BMUP48
`define BMUP49
`define BMUP50
`define BMUP51
`define BMUP52
`define BMUP53
`define BMUP54
`define BMUP55
`define BMUP56
`define BMUP57
`define BMUP58
`define BMUP59
`define BMUP60
`define BMUP61
`define BMUP62
`define BMUP63
`define BMUP64
`define BMUP65
`define BMUP66
`define BMUP67
`define BMUP68
`define BMUP69
`define BMUP70
`define BMUP71
`define BMUP72
`define BMUP73
`define BMUP74
`define BMUP75
`define BMUP76
`define BMUP77
`define BMUP78
`define BMUP79
`define BMUP80
`define BMUP81
`define BMUP82
`define BMUP83
`define BMUP84
`define BMUP85
`define BMUP86
`define BMUP87
`define BMUP88
`define BMUP89
`define BMUP90
`define BMUP91
`define BMUP92
`define BMUP93
`define BMUP94
`define BMUP95
`define BMUP96
`define BMUP97
`define BMUP98
`define BMUP99
`define BMUP100
`define BMUP101
`define BMUP102
`define BMUP103
`define BMUP104
`define BMUP105
`define BMUP106
`define BMUP107
`define BMUP108
`define BMUP109
`define BMUP110
`define BMUP111
`define BMUP112
`define BMUP113
`define BMUP114
`define BMUP115
`define BMUP116
`define BMUP117
`define BMUP118
`define BMUP119
`define BMUP120
`define BMUP121
`define BMUP122
`define BMUP123
`define BMUP124
`define BMUP125
`define BMUP126
`define BMUP127
`define NUM_MEM_1
`define NUM_MEM_2
`define NUM_MEM_3
`define NUM_MEM_4
