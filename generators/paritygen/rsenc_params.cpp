#include "generators/paritygen/rsenc_params.hpp"

#include "generators/common/binary_literal.hpp"

#include <cstdint>
#include <string>

namespace ipgen::rsenc {

namespace {

// A counter value as the encoder's define reads it: m bits, two's
// complement for a negative value.
void write_bit_string(TextSink& out, int m, std::int64_t value) {
    out.print("%s\n", sized_binary(m, value).c_str());
}

} // namespace

void write_rsenc_params(TextSink& out, const EncoderParams& p) {
    const int m = p.symbol_width;
    const std::int64_t n = p.n_total;
    const std::int64_t k = p.k_data;

    out.write("\n\n");
    if (p.k_data == 1) {
        out.write("`define DSYMB_EQ_ONE                        \n");
    }
    if (p.k_data == 2) {
        out.write("`define DSYMB_EQ_TWO                        \n");
    }
    if (p.noncontinuous == 0) {
        out.write("`define CONTINUOUS                          \n");
    }
    // The pipeline defines end their blanks at another column than the rest.
    if (p.pipe_mode == 1) {
        out.write("`define PIPE1                            \n");
    } else if (p.pipe_mode == 2 && p.registered_input == 1) {
        out.write("`define REGISTERED_INPUT                  \n");
        out.write("`define PIPE1                            \n");
    } else if (p.pipe_mode == 2) {
        out.write("`define PIPE2                            \n");
    } else if (p.pipe_mode == 3) {
        out.write("`define REGISTERED_INPUT                  \n");
        out.write("`define PIPE2                            \n");
    }
    if (p.ccsds_flag == 1) {
        out.write("`define CCSDS                               \n");
    }
    out.write("`define NUM_TOTAL_SYMBOLS                  ");
    write_bit_string(out, m, n);
    out.write("`define NUM_DATA_SYMBOLS                   ");
    write_bit_string(out, m, k);
    out.print("`define INPUT_DATA_WIDTH                   %d\n", m);
    out.print("`define REMAINDER_WIDTH                    %d\n", p.num_chk() * m);
    out.write("`define MAX_COUNT_DATA_SYMBOL              ");
    write_bit_string(out, m, k - 1);
    out.write("`define MAX_COUNT_TOTAL_SYMBOL             ");
    write_bit_string(out, m, n - 1);
    // The counters' maximum minus two: the symbol counts minus 3.
    out.write("`define MAX_COUNT_DATA_SYMBOL_MINUS_TWO    ");
    write_bit_string(out, m, k - 3);
    out.write("`define MAX_COUNT_TOTAL_SYMBOL_MINUS_TWO   ");
    write_bit_string(out, m, n - 3);
}

} // namespace ipgen::rsenc
