#include "generators/common/program_info.hpp"

#include <array>
#include <cstdio>
#include <string>
#include <utility>

namespace ipgen {

namespace {

// Each text lists what the program's checks accept, in the words of its
// refusal messages, so that a value the text calls accepted is accepted.
// clang-format off
constexpr std::string_view corrgen_usage = R"(usage: corrgen -w M -n N -k K -f POLY -g FIRST_ROOT -h ROOT_SPACING
               [-e ERASURES] -y SYNC_MODE -o OPTION_BITS -c CCSDS
       corrgen --help | --version

Writes the Verilog of a Reed-Solomon decoder core over GF(2^M) into the
current directory. Each switch takes a decimal number as the next argument;
any order, a later one overrides an earlier one; all but -e are required.

  -w M             bits per symbol: 2 to 12
  -f POLY          field polynomial, bit i the coefficient of x^i: primitive,
                   of degree M, below 2^(M+1) (285 for M = 8)
  -k K             data symbols per codeword: 1 to 2^M-2
  -n N             symbols per codeword: K+2 to 2^M-1 (N-K of 2 or more);
                   below 2^M-1 gives a shortened code
  -g FIRST_ROOT    the generator's roots are beta^(FIRST_ROOT+i): 0 or more
  -h ROOT_SPACING  beta = alpha^ROOT_SPACING: 1 or more, coprime to 2^M-1
  -e ERASURES      optional, default 0 (no erasure decoding): 0 to N-K,
                   only 0 when N-K is below 3
  -y SYNC_MODE     0: a start pulse per codeword; other values: a data
                   enable per symbol
  -o OPTION_BITS   the sum of 1 CLK_ENABLED, 2 SYNC_RST_ENABLED,
                   4 DATA_DELAYED, 8 ERR_CNT_ENABLED, 16 ERS_CNT_ENABLED,
                   32 FAILPIN
  -c CCSDS         1 selects the CCSDS variant; other values do nothing
Every value within the 32-bit integer range.

Reads header.v (copied to the top of every file but multiplier.v); writes
gfinvrom.v gfromxp.v gfile corrgen_params.v mastrovito.v chiensearch.v
errmag.v synd.v multiplier.v.

Example, RS(255,239) over GF(256), with a header.v in the directory:
  corrgen -w 8 -n 255 -k 239 -f 285 -g 0 -h 1 -e 0 -y 0 -o 0 -c 0

Exit status: 0 all files written; 1 header.v cannot be read or a file cannot
be written; 2 a switch is missing, has no value or is refused.
See corrgen(1).
)";

constexpr std::string_view paritygen_usage = R"(usage: paritygen -n N -k K -w M -f POLY -g FIRST_ROOT -h ROOT_SPACING
                 -p PIPE_MODE [-r REGISTERED_INPUT] -t NONCONTINUOUS -c CCSDS
                 [-a MULT_STYLE]
       paritygen --help | --version

Writes the Verilog of a Reed-Solomon encoder core over GF(2^M) into the
current directory. Each switch takes a decimal number as the next argument;
any order, a later one overrides an earlier one; all but -r and -a are
required.

  -n N                  symbols per codeword: K+1 to 2^M-1
  -k K                  data symbols per codeword: 1 to 2^M-2
  -w M                  bits per symbol: 2 to 12
  -f POLY               field polynomial, bit i the coefficient of x^i:
                        primitive, of degree M, below 2^(M+1) (285 for M = 8)
  -g FIRST_ROOT         the roots of the generator are beta^(FIRST_ROOT+i):
                        0 or more
  -h ROOT_SPACING       beta = alpha^ROOT_SPACING: 1 or more, coprime to 2^M-1
  -p PIPE_MODE          1 PIPE1; 2 PIPE2 (REGISTERED_INPUT and PIPE1 with
                        -r 1); 3 REGISTERED_INPUT and PIPE2; other values none
  -r REGISTERED_INPUT   optional, default 0: 1 registers the input when -p is 2
  -t NONCONTINUOUS      0 writes CONTINUOUS (codewords back to back)
  -c CCSDS              1 writes CCSDS; other values do nothing
  -a MULT_STYLE         optional, default 1: 1 the shared-term multiplier
                        netlist, other values the plain one
Every value within the 32-bit integer range.

Reads header.v (copied to the top of multiplier.v and rsenc_params.v);
writes gfile multiplier.v mult_temp.v (with -a 1 only) rsenc_params.v.

Example, RS(255,239) over GF(256), with a header.v in the directory:
  paritygen -n 255 -k 239 -w 8 -f 285 -g 0 -h 1 -p 1 -t 0 -c 0 -a 1

Exit status: 0 all files written; 1 header.v cannot be read or a file cannot
be written; 2 a switch is missing, has no value or is refused.
See paritygen(1).
)";

constexpr std::string_view trellgen_usage = R"(usage: trellgen [DEVICE]
       trellgen --help | --version

Reads viterbi_params.v in the current directory and writes parameters.v,
the defines of a Viterbi decoder core.

  DEVICE   device class: 0 another vendor's device, 1 a Quarry device,
           2 a Quarry KESTREL 4 device (the default); read like atoi(),
           further arguments are ignored

viterbi_params.v: one item per line, the value first, then a blank and a
comment; the indented items only when the flag above them is 1.
  constraint length K                       3 to 9
  number n of polynomials (code rate 1/n)   1 to 3
  n generator polynomials                   octal digits, below 2^K
  soft decision                             0 or 1
    soft width                              1 to 16
    soft symbols unsigned                   0 or 1
  punctured                                 0 or 1
    puncture block size PB                  1 to 14
    puncture patterns 0 and 1               PB characters 0 or 1 each
  traceback length                          1 or more (1 to 256 for class 0)
  hybrid                                    0 or 1
    hybrid index                            0 to K-1
  BER monitor                               0 or 1
    BER period exponent                     1 to 32

Example, with a viterbi_params.v in the directory, for a KESTREL 4 device:
  trellgen 2

Exit status: 0 parameters.v written; 2 a value of viterbi_params.v is
refused; 24 the device class is not 0, 1 or 2; 255 viterbi_params.v cannot
be read or parameters.v cannot be written.
See trellgen(1).
)";

constexpr std::string_view firgen_usage = R"(usage: firgen
       firgen --help | --version

Takes no arguments. Reads user_params.txt in the current directory (as
firparam keeps it) and writes parameters.v of a FIR filter core; for fixed
coefficients it first converts cin.dec (real data: one value per line) or
cin_cmplx.dec (complex data: a pair per line, tab-separated) to cin.hex or
cin_cmplx.hex and packs them into COEFF_VALUE. Without the decimal file an
existing hexadecimal file is packed; without either, nothing is written.

user_params.txt: fourteen lines, each a decimal number, then a comment.
   1  tap width (read, then replaced by line 2)
   2  data width W: 1 to 32 with fixed coefficients
   3  number of taps: 1 or more
   4  output width
   5  filter type: 0 single-cycle, 1 multi-cycle, 2 decimation,
      3 interpolation
   6  coefficients: 0 fixed, 1 loadable
   7  symmetry: 0 none, 1 even, 2 odd
   8  rounding: 0 truncation, 1 nearest
   9  arithmetic: 0 signed, 1 unsigned
  10  data type: 0 real, 1 complex
  11  number of cycles: 1 or more for a multi-cycle filter
  12  decimation ratio: 1 or more for a decimation filter
  13  interpolation ratio: 1 or more for an interpolation filter
  14  complex input: 0 parallel, 1 serial (read for complex data only)
Every line needs its number, within the 32-bit integer range, and at most
99 characters after it. At most 64 multipliers; with fixed coefficients at
most 64 coefficients (pairs).

Example, the defaults of firparam with six coefficients:
  firparam && printf '1\n-1\n127\n-128\n0\n5\n' > cin.dec && firgen

Exit status: 0 parameters.v written; 1 no coefficients, an unsigned
coefficient of cin.hex above 2^W-1, or a file cannot be written; 2 a value
is refused; 255 user_params.txt cannot be read.
See firgen(1).
)";

constexpr std::string_view firparam_usage = R"(usage: firparam
       firparam --help | --version

Takes no arguments. Keeps user_params.txt in the current directory
(creating it with the defaults when it is missing), writes it back
normalised and writes parameters.v of a FIR filter core; for fixed
coefficients it converts cin.dec (cin_cmplx.dec for complex data) to cin.hex
(cin_cmplx.hex). Without a coefficient file it uses an existing hexadecimal
file or the numbered defaults 1, 2, 3, ...

user_params.txt: fourteen lines, each a decimal number, then a comment
(default in brackets).
   1  tap width (8): 1 to 255 bits, 254 with unsigned arithmetic
   2  coefficient width (8): 1 or more bits; with fixed coefficients at
      most 32, 31 with unsigned arithmetic
   3  number of taps (6): 1 to 256
   4  output width (19): 1 or more bits; lowered to the full output width
   5  filter type (0): 0 single-cycle, 1 multi-cycle, 2 decimation,
      3 interpolation
   6  coefficients (0): 0 fixed, 1 loadable
   7  symmetry (0): 0 none, 1 even, 2 odd
   8  rounding (0): 0 truncation, 1 nearest
   9  arithmetic (0): 0 signed, 1 unsigned
  10  data type (0): 0 real, 1 complex
  11  number of cycles (1): at most 256 for a multi-cycle filter
  12  decimation ratio (1): at most 256 for a decimation filter
  13  interpolation ratio (1): at most 256 for an interpolation filter
  14  complex input (0): 0 parallel, 1 serial
A line without a number counts as 0. Every number within the 32-bit integer
range, at most 99 characters after it; at most 64 fixed coefficients
(pairs); a full output width of at most 255 bits.

Example, in an empty directory: the defaults and their parameters.v:
  firparam

Exit status: 0 all files written; 1 user_params.txt, a hexadecimal
coefficient file or parameters.v cannot be written; 2 a value is refused.
See firparam(1).
)";
// clang-format on

constexpr std::array<std::pair<std::string_view, std::string_view>, 5> usage_texts = {{
    {"corrgen", corrgen_usage},
    {"paritygen", paritygen_usage},
    {"trellgen", trellgen_usage},
    {"firgen", firgen_usage},
    {"firparam", firparam_usage},
}};

// The package all programs ship in, and its version from the build.
constexpr std::string_view package = "fpga-ip-generators";
constexpr std::string_view version = IPGEN_VERSION;

int print(std::string_view text) {
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

std::string_view usage_text(std::string_view program) {
    for (const auto& [name, text] : usage_texts) {
        if (name == program) {
            return text;
        }
    }
    return {};
}

std::string version_text(std::string_view program) {
    return std::string(program) + " (" + std::string(package) + ") " + std::string(version) + "\n";
}

std::optional<int> answer_help_or_version(std::string_view program, int argc,
                                          const char* const* argv) {
    if (argc != 2) {
        return std::nullopt;
    }
    const std::string_view argument = argv[1];
    if (argument == "--help") {
        return print(usage_text(program));
    }
    if (argument == "--version") {
        return print(version_text(program));
    }
    return std::nullopt;
}

} // namespace ipgen
