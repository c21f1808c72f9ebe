7    // constraint length K
2    // number of generator polynomials n (code rate 1/n)
171  // generator polynomial 0, octal
133  // generator polynomial 1, octal
1    // soft decision (1) or hard decision (0)
3    // soft width: bits per soft symbol
1    // soft symbols unsigned (1) or signed (0)
1    // punctured (1) or not (0)
4    // puncture block size
1101 // puncture pattern 0
1011 // puncture pattern 1
64   // traceback length
1    // hybrid (1) or fully parallel (0)
2    // hybrid index
1    // BER monitor present (1) or not (0)
10   // BER period exponent
