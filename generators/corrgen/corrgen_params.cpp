#include "generators/corrgen/corrgen_params.hpp"

#include "generators/common/binary_literal.hpp"
#include "generators/common/bit_width.hpp"
#include "generators/corrgen/locator_degree.hpp"

#include <string>

namespace ipgen::rs {

namespace {

std::string repeated(char c, int count) {
    return count > 0 ? std::string(static_cast<size_t>(count), c) : std::string();
}

} // namespace

void write_corrgen_params(TextSink& out, const DecoderParams& p) {
    const int m = p.symbol_width;
    const int n = p.n_total;
    const int k = p.k_data;
    const int e = p.max_erasures;
    const int r = n - k;
    const int t = locator_degree(p);
    const int syndsel = clog2(r);
    const int erase_width = bit_width(r - 2);

    if (p.ccsds_flag == 1) {
        out.write("`define CCSDS\n");
    }
    if (n < p.nlong) {
        // The shortening line is ended by the line end that always follows.
        out.write("`define SHORT_CODE\n");
        out.print("`define NLONG_MINUS_NSOHRT %d ", p.nlong - n);
    }
    out.write("\n");
    out.write(p.sync_mode == 0 ? "`define SYNC_START_PULSE\n" : "`define SYNC_DAT_SYMB_EN\n");
    if ((p.option_bits & 1) != 0) {
        out.write("`define CLK_ENABLED\n");
    }
    if ((p.option_bits & 2) != 0) {
        out.write("`define SYNC_RST_ENABLED\n");
    }
    if ((p.option_bits & 4) != 0) {
        out.write("`define DATA_DELAYED\n");
    }
    if ((p.option_bits & 8) != 0) {
        out.write("`define ERR_CNT_ENABLED\n");
        out.print("`define ERRCNTWIDTH %d\n", bit_width(t));
    }
    if ((p.option_bits & 16) != 0) {
        out.write("`define ERS_CNT_ENABLED\n");
    }
    if ((p.option_bits & 32) != 0) {
        out.write("`define FAILPIN\n");
    }
    out.print("`define SYNDSELWIDTH %d\n", syndsel);
    out.print("`define CNTIMAX %s\n\n\n", sized_binary(syndsel, r - 1).c_str());
    if (e > 0) {
        out.write("\n\n`define ERASURE\n");
        out.print("`define ERASECNTWIDTH %d\n", erase_width);
        out.print("`define MAXCOUNT %d'b%s\n", erase_width, repeated('1', erase_width).c_str());
        out.print("`define CMAXZERO %d'b%s\n", erase_width, repeated('0', erase_width).c_str());
        out.print("`define CMAXINCR %d'b%s1\n", erase_width,
                  repeated('0', erase_width - 1).c_str());
        out.print("`define MAX_NUM_ERSRS %d\n", e);
        out.print("`define ERSALLZEROS %s\n\n\n", zero_literal(m).c_str());
    } else {
        out.write("\n\n`define MAX_NUM_ERSRS 0\n");
    }
    out.print("`define CNTIWIDTH %d\n", syndsel);
    out.print("`define CNTJWIDTH %d\n", syndsel + 1);
    out.print("`define NUM_CHKSYMBS %d\n", r);
    out.print("`define NUMCHKSYMBSMINUS1 %d\n", r - 1);
    out.print("`define NUMCHKSYMBSMINUS2 %d\n", r - 2);
    out.print("`define NUMCHKSYMBSBY2 %d\n", r / 2);
    out.print("`define NUMCHKSYMBSBY2MINUS1 %d\n", r / 2 - 1);
    out.print("`define TPLUSMAXROBY2 %d\n", t);
    out.print("`define CHKSYMBS_WIDTH %d\n", r * m);
    out.print("`define CHKSYMBS_WIDTHBY2 %d\n", (r * m) / 2);
    out.print("`define TAU_WIDTH %d\n", (t + 2) * m);
    out.print("`define SIGMA_WIDTH %d\n", (t + 1) * m);
    out.print("`define OMEGA_WIDTH %d\n", t * m);
    out.print("`define NUM_TOTAL_SYMBOLS                  %s\n", sized_binary(m, n).c_str());
    if (m == 8) {
        out.write("`define INPUT_DATA_WIDTH_8\n");
    }
    out.write("\n");
    if (m == 12) {
        out.write("`define INPUT_DATA_WIDTH_12\n");
    }
    if (n == 3) {
        out.write("`define NUM_TOTL_SYMBS_3\n");
    }
    if (r == 2) {
        out.write("`define NUM_CHKSYMBS_TWO\n");
    }
    out.write("\n");
    out.print("`define NUM_DATA_SYMBOLS                   %s\n", sized_binary(m, k).c_str());
    out.print("`define INPUT_DATA_WIDTH                   %d\n", m);
    out.print("`define MAX_COUNT_DATA_SYMBOL              %s\n", sized_binary(m, k - 1).c_str());
    out.print("`define MAX_COUNT_TOTAL_SYMBOL             %s\n\n", sized_binary(m, n - 1).c_str());
    out.print("`define MAX_CNT_TOTL_SYMB_MINUS1   %s\n", sized_binary(m, n - 2).c_str());
    if (p.continuous()) {
        out.write("`define CONTINUOUS\n");
    }
}

} // namespace ipgen::rs
