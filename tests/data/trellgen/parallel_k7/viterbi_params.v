7    // constraint length K
2    // number of generator polynomials n (code rate 1/n)
171  // generator polynomial 0, octal
133  // generator polynomial 1, octal
1    // soft decision (1) or hard decision (0)
3    // soft width: bits per soft symbol
0    // soft symbols unsigned (1) or signed (0)
0    // punctured (1) or not (0)
64   // traceback length
0    // hybrid (1) or fully parallel (0)
0    // BER monitor present (1) or not (0)
