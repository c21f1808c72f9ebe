// ipgen as a user runs it: the generated files equal paritygen's and
// corrgen's, every refusal is one line of one shape and writes nothing,
// values are written back as ipgen read them, --describe is JSON, the
// folder's lists agree with its files, and --prefix renames every module,
// macro and Verilog file name and nothing else.
#include "ipgen/options.hpp"
#include "ipgen/prefix_rename.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <tuple>

namespace ipgen::test {
namespace {

using Args = std::vector<std::string>;

Args with(Args args, const Args& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

const Args rs255 = {"rs-encoder", "--symbol-width", "8", "--n", "255", "--k", "239"};

struct IpgenRun {
    TempDir dir;
    RunResult result;
    explicit IpgenRun(const Args& args) { result = run_program(IPGEN_PATH, args, dir.path()); }
    std::string file(const std::string& name) const { return read_file(dir.file("out/" + name)); }
};

// (ipgen options, the paritygen switches for the same values)
const std::vector<std::pair<Args, Args>> same_values = {
    {{"--symbol-width", "8", "--n", "255", "--k", "239", "--netlist", "shared"},
     {"-w", "8", "-n", "255", "-k", "239", "-f", "285", "-g", "0",
      "-h", "1", "-p", "1",   "-t", "0",   "-c", "0",   "-a", "1"}},
    {{"--symbol-width", "8", "--n", "204", "--k", "188", "--field-poly", "391", "--first-root",
      "112", "--root-spacing", "11", "--pipeline", "1", "--registered-input", "--no-continuous",
      "--netlist", "plain"},
     {"-w", "8",  "-n", "204", "-k", "188", "-f", "391", "-g", "112", "-h",
      "11", "-p", "2",  "-r",  "1",  "-t",  "1",  "-c",  "0",  "-a",  "0"}},
    {{"--symbol-width", "8", "--n", "255", "--k", "223", "--ccsds", "--pipeline", "2",
      "--registered-input", "--netlist", "shared"},
     {"-w", "8", "-n", "255", "-k", "223", "-f", "391", "-g", "112", "-h", "11", "-p", "3", "-t",
      "0", "-c", "1"}},
    {{"--symbol-width", "4", "--n", "15", "--k", "13", "--root-spacing", "7", "--pipeline", "0",
      "--netlist=shared"},
     {"-w", "4", "-n", "15", "-k", "13", "-f", "19", "-g", "0", "-h", "7", "-p", "0", "-t", "0",
      "-c", "0"}},
    {{"--symbol-width", "12", "--n", "300", "--k", "280", "--first-root", "5", "--pipeline", "2",
      "--netlist", "shared"},
     {"-w", "12", "-n", "300", "-k", "280", "-f", "4179", "-g", "5", "-h", "1", "-p", "2", "-t",
      "0", "-c", "0"}},
};

TEST(Ipgen, GeneratedFilesAreParitygensForTheSameValues) {
    const std::string header = "// our header\n// two lines\n";
    for (const auto& [options, switches] : same_values) {
        TempDir paritygen;
        write_file(paritygen.file("header.v"), header);
        ASSERT_EQ(run_program(PARITYGEN_PATH, switches, paritygen.path()).exit_status, 0);
        TempDir dir;
        write_file(dir.file("h.v"), header);
        const RunResult run = run_program(
            IPGEN_PATH, with(with({"rs-encoder"}, options), {"--header", "h.v", "--out", "out"}),
            dir.path());
        ASSERT_EQ(run.exit_status, 0) << run.err;
        for (const char* name : {"gfile", "multiplier.v", "rsenc_params.v"}) {
            EXPECT_EQ(read_file(dir.file(std::string("out/") + name)),
                      read_file(paritygen.file(name)))
                << name << " for " << switches[1] << " " << switches[3] << " " << switches[5];
        }
        // Without --header, the banner stands where the header was.
        const IpgenRun plain(with(with({"rs-encoder"}, options), {"--out", "out"}));
        EXPECT_TRUE(plain.file("rsenc_params.v").starts_with("////")) << options[3];
    }
}

// rs-decoder: (ipgen options, the corrgen switches for the same values)
const std::vector<std::pair<Args, Args>> decoder_values = {
    {{"--symbol-width", "8", "--n", "204", "--k", "188", "--erasures", "4", "--sync",
      "symbol-enable", "--clock-enable", "--fail-pin"},
     {"-w", "8", "-n", "204", "-k", "188", "-f", "285", "-g", "0",
      "-h", "1", "-e", "4",   "-y", "1",   "-o", "33",  "-c", "0"}},
    {{"--symbol-width", "8", "--n", "255", "--k", "223", "--ccsds", "--sync-reset",
      "--data-delayed", "--error-count", "--erasure-count"},
     {"-w", "8", "-n", "255", "-k", "223", "-f", "391", "-g", "112", "-h", "11", "-y", "0", "-o",
      "30", "-c", "1"}},
    {{"--symbol-width", "5", "--n", "25", "--k", "15", "--field-poly", "41", "--first-root", "3",
      "--root-spacing", "7", "--erasures", "10"},
     {"-w", "5", "-n", "25", "-k", "15", "-f", "41", "-g", "3",
      "-h", "7", "-e", "10", "-y", "0",  "-o", "0",  "-c", "0"}},
};

TEST(Ipgen, DecoderFilesAreCorrgensForTheSameValues) {
    const std::string header = "// decoder header\n";
    for (const auto& [options, switches] : decoder_values) {
        TempDir corrgen;
        write_file(corrgen.file("header.v"), header);
        ASSERT_EQ(run_program(CORRGEN_PATH, switches, corrgen.path()).exit_status, 0);
        TempDir dir;
        write_file(dir.file("h.v"), header);
        const RunResult run =
            run_program(IPGEN_PATH,
                        with(with({"rs-decoder"}, options),
                             {"--tb-words", "10", "--header", "h.v", "--out", "out"}),
                        dir.path());
        ASSERT_EQ(run.exit_status, 0) << run.err;
        for (const char* name :
             {"gfinvrom.v", "gfromxp.v", "gfile", "corrgen_params.v", "mastrovito.v",
              "chiensearch.v", "errmag.v", "synd.v", "multiplier.v"}) {
            EXPECT_EQ(read_file(dir.file(std::string("out/") + name)),
                      read_file(corrgen.file(name)))
                << name << " for " << switches[3] << " " << switches[5];
        }
    }
}

const Args dec30 = {"rs-decoder", "--symbol-width", "8", "--n", "30", "--k", "19"};

struct Refusal {
    Args args; // --out out is added
    std::string line;
};

// Each refusal: status 2, exactly this one line, nothing written.
const std::vector<Refusal> refusals = {
    // The front-end: kinds and ranges as declared.
    {{"rs-encoder", "--symbol-width", "13", "--n", "255", "--k", "239"},
     "ipgen: --symbol-width 13: out of range; accepted: 2 to 12"},
    {{"rs-encoder", "--symbol-width", "+013", "--n", "255", "--k", "239"},
     "ipgen: --symbol-width 13: out of range; accepted: 2 to 12"},
    {with(rs255, {"--n", "2x"}),
     "ipgen: --n 2x: not a decimal number; accepted: 2 to 4095; k+1 to 2^M-1"},
    {with(rs255, {"--n", "0x10"}),
     "ipgen: --n 0x10: not a decimal number; accepted: 2 to 4095; k+1 to 2^M-1"},
    {with(rs255, {"--k", ""}),
     "ipgen: --k : not a decimal number; accepted: 1 to 4094; 1 to 2^M-2"},
    {with(rs255, {"--k", "99999999999999999999"}),
     "ipgen: --k 99999999999999999999: out of range; accepted: 1 to 4094; 1 to 2^M-2"},
    {with(rs255, {"--first-root", "-1"}),
     "ipgen: --first-root -1: out of range; accepted: 0 to 2147483647"},
    {with(rs255, {"--pipeline", "3"}), "ipgen: --pipeline 3: out of range; accepted: 0 to 2"},
    {with(rs255, {"--netlist", "tiny"}),
     "ipgen: --netlist tiny: unknown choice; accepted: minimal, shared or plain"},
    {with(rs255, {"--ccsds=1"}), "ipgen: --ccsds 1: a flag takes no value; accepted: --ccsds"},
    {with(rs255, {"--no-ccsds"}),
     "ipgen: --no-ccsds: unknown option of rs-encoder; accepted: the options ipgen --help lists "
     "for rs-encoder"},
    {with(rs255, {"--speed", "9"}),
     "ipgen: --speed: unknown option of rs-encoder; accepted: the options ipgen --help lists for "
     "rs-encoder"},
    {{"rs-encoder", "--n", "255", "--k", "239"},
     "ipgen: --symbol-width: required; accepted: 2 to 12"},
    {with(rs255, {"--prefix", "2enc"}),
     "ipgen: --prefix 2enc: not a Verilog identifier; accepted: letters, digits and _, not a "
     "digit first"},
    {{"turbo"}, "ipgen: unknown core 'turbo'; accepted: fir, rs-decoder, rs-encoder or viterbi"},
    // The cores' checks: the library's problems worded with the options.
    {{"rs-encoder", "--symbol-width", "8", "--n", "256", "--k", "239"},
     "ipgen: --n 256: out of range; accepted: 240 (k+1) to 255 (2^m-1) symbols"},
    {with(rs255, {"--k", "300"}),
     "ipgen: --k 300: out of range; accepted: 1 to 254 (2^m-2) data symbols"},
    {with(rs255, {"--root-spacing", "5"}),
     "ipgen: --root-spacing 5: alpha^h must generate the field; accepted: 1 or more, coprime to "
     "255 (2^m-1)"},
    {with(rs255, {"--pipeline", "0", "--registered-input"}),
     "ipgen: --registered-input: needs --pipeline 1 or 2 (the input register is a pipeline "
     "stage); accepted: --registered-input with --pipeline 1 or 2"},
    {{"rs-encoder", "--symbol-width", "4", "--n", "15", "--k", "11", "--ccsds"},
     "ipgen: --ccsds: needs --symbol-width 8 (the CCSDS dual basis is defined over GF(256)), not "
     "4; accepted: --ccsds with --symbol-width 8"},
    {with(rs255, {"--ccsds", "--field-poly", "285"}),
     "ipgen: --field-poly 285: --ccsds needs the CCSDS field polynomial; accepted: 391 with "
     "--ccsds (or leave --field-poly out)"},
    {{"rs-encoder", "--standard", "dvb", "--k", "223"},
     "ipgen: --k 223: --standard dvb has k 188; accepted: 188 with --standard dvb (or leave --k "
     "out)"},
    {{"rs-decoder", "--standard", "kp4", "--symbol-width", "10", "--field-poly", "1877"},
     "ipgen: --field-poly 1877: --standard kp4 has field-poly 1033; accepted: 1033 with "
     "--standard kp4 (or leave --field-poly out)"},
    {{"rs-encoder", "--standard", "g709", "--symbols-per-clock", "4", "--pipeline", "2"},
     "ipgen: --pipeline 2: --symbols-per-clock 4 has its output register (1) or none (0); "
     "accepted: 0 or 1, or 2 with --symbols-per-clock 1"},
    {{"rs-encoder", "--standard", "g709", "--variable-length", "--pipeline", "0"},
     "ipgen: --pipeline 0: --variable-length has one output register (latency 1, 2 with the "
     "stream queue); accepted: 1, or 0 and 2 without --variable-length"},
    {{"rs-encoder", "--standard", "g709", "--variable-length", "--no-continuous"},
     "ipgen: --no-continuous: --variable-length has the stream top only, framed by tlast; "
     "accepted: --no-continuous without --variable-length"},
    {{"rs-encoder", "--standard", "g709", "--ccsds"},
     "ipgen: --ccsds: --standard g709 is not in the CCSDS dual basis; accepted: no --ccsds with "
     "--standard g709"},
    {{"rs-decoder", "--symbol-width", "8", "--n", "20", "--k", "19"},
     "ipgen: --n 20: with --k 19: one check symbol corrects nothing; accepted: n-k of 2 or more"},
    {with(dec30, {"--erasures", "12"}),
     "ipgen: --erasures 12: out of range; accepted: 0 to 11 (n-k) erasures"},
    {{"rs-decoder", "--symbol-width", "8", "--n", "30", "--k", "28", "--erasures", "1"},
     "ipgen: --erasures 1: erasure decoding needs 3 or more check symbols, n-k is 2; accepted: 0"},
    {with(dec30, {"--sync", "edge"}),
     "ipgen: --sync edge: unknown choice; accepted: start-pulse or symbol-enable"},
    {{"rs-decoder", "--symbol-width", "4", "--n", "15", "--k", "11", "--ccsds"},
     "ipgen: --ccsds: needs --symbol-width 8 (the CCSDS dual basis is defined over GF(256)), not "
     "4; accepted: --ccsds with --symbol-width 8"},
    {{"rs-decoder", "--symbol-width", "12", "--n", "4095", "--k", "4000", "--tb-words", "100000"},
     "ipgen: --tb-words 100000: n x W = 409500000 received symbols are more than the testbench "
     "holds; accepted: 1 to 256 (1048576 symbols / n) at n = 4095"},
    {with(dec30, {"--tb-words", "0"}),
     "ipgen: --tb-words 0: out of range; accepted: 1 to 100000; n x W at most 1048576 symbols "
     "(the vectors the testbench holds)"},
    // FIR: bounds the core and its testbench build
    {{"fir", "--output-width", "1000000"},
     "ipgen: --output-width 1000000: out of range; accepted: 1 to 128; above 64 only when 2 x "
     "width + log2 taps + 2 (3 complex) is at most 63"},
    {{"fir", "--tap-width", "30", "--taps", "64", "--output-width", "65"},
     "ipgen: --output-width 65: wider than 64 bits with sums of 68 bits (2 x width + log2 taps + "
     "2, 3 complex); accepted: 1 to 64, or up to 128 when the sums take at most 63 bits"},
    {{"fir", "--interpolation", "2147483647"},
     "ipgen: --interpolation 2147483647: out of range; accepted: 1 to 256"},
    {{"fir", "--decimation", "1000000"},
     "ipgen: --decimation 1000000: out of range; accepted: 1 to 256"},
    {{"fir", "--tap-width", "33"}, "ipgen: --tap-width 33: out of range; accepted: 1 to 32"},
    {{"fir", "--taps", "0"},
     "ipgen: --taps 0: out of range; accepted: 1 to 1024; at most 64 multipliers (NUM_MULTIPLIERS) "
     "and, with fixed coefficients, at most 64 of them (NUM_COEFFS)"},
    {{"fir", "--taps", "130"},
     "ipgen: --taps 130: 130 multipliers (NUM_MULTIPLIERS); accepted: at most 64, the adder tree "
     "of the core has six stages"},
    {{"fir", "--taps", "100", "--filter-type", "decimation", "--decimation", "2"},
     "ipgen: --taps 100: 100 fixed coefficients (NUM_COEFFS); accepted: at most 64"},
    {{"fir", "--filter-type", "multi-cycle", "--cycles", "0"},
     "ipgen: --cycles 0: out of range; accepted: 1 to 256"},
    {{"fir", "--symmetry", "odd"},
     "ipgen: --symmetry odd: unknown choice; accepted: none, symmetric or antisymmetric"},
    // FIR: the width named as given; the default set where it would be flat
    {{"fir", "--tap-width", "8", "--coeff-width", "12"},
     "ipgen: --coeff-width 12: --tap-width is 8; accepted: equal widths (the core takes samples "
     "and coefficients of one width)"},
    {{"fir", "--tap-width", "2"},
     "ipgen: --tap-width 2: the default triangle coefficients are flat at a 2-bit width; accepted: "
     "--coeffs or --coeff-file at this width, or a width of 3 bits or more"},
    {{"fir", "--coeff-width", "1", "--arithmetic", "unsigned"},
     "ipgen: --coeff-width 1: the default triangle coefficients are flat at a 1-bit width; "
     "accepted: --coeffs or --coeff-file at this width, or a width of 2 bits or more"},
    // FIR: --coeffs, one rule for every item (the file follows it too)
    {{"fir", "--coeffs", "1,2,3"},
     "ipgen: --coeffs 1,2,3: 3 values for NUM_COEFFS 6; accepted: 6 coefficients"},
    {{"fir", "--coeffs", "1,2,x,4,5,6"},
     "ipgen: --coeffs 1,2,x,4,5,6: item 'x' is no decimal number; accepted: decimal numbers "
     "separated by commas, each -2147483648 to 4294967295; NUM_COEFFS of them, each within the "
     "width: -2^(W-1) to 2^(W-1)-1, or 0 to 2^W-1 for unsigned real data"},
    {{"fir", "--coeffs", "1,2,3,4,5,6,"},
     "ipgen: --coeffs 1,2,3,4,5,6,: item '' is no decimal number; accepted: decimal numbers "
     "separated by commas, each -2147483648 to 4294967295; NUM_COEFFS of them, each within the "
     "width: -2^(W-1) to 2^(W-1)-1, or 0 to 2^W-1 for unsigned real data"},
    {{"fir", "--coeffs", ",1,2,3,4,5,6"},
     "ipgen: --coeffs ,1,2,3,4,5,6: item '' is no decimal number; accepted: decimal numbers "
     "separated by commas, each -2147483648 to 4294967295; NUM_COEFFS of them, each within the "
     "width: -2^(W-1) to 2^(W-1)-1, or 0 to 2^W-1 for unsigned real data"},
    {{"fir", "--coeffs", "1,2,3,4,5,99999999999999999999"},
     "ipgen: --coeffs 1,2,3,4,5,99999999999999999999: item '99999999999999999999' is out of range; "
     "accepted: decimal numbers separated by commas, each -2147483648 to 4294967295; NUM_COEFFS of "
     "them, each within the width: -2^(W-1) to 2^(W-1)-1, or 0 to 2^W-1 for unsigned real data"},
    {{"fir", "--coeffs", "1,2,3,4,5,128"},
     "ipgen: --coeffs 1,2,3,4,5,128: coefficient 5 is 128; accepted: -128 to 127 (8-bit signed "
     "coefficients)"},
    {{"fir", "--coeffs", "1,2,3,4,5,6", "--coeff-file", "cin.dec"},
     "ipgen: --coeff-file cin.dec: --coeffs is given too; accepted: one of --coeffs and "
     "--coeff-file"},
    // channels, sets and samples per clock: the combinations not built
    {{"fir", "--channels", "65"}, "ipgen: --channels 65: out of range; accepted: 1 to 64"},
    {{"fir", "--coeff-sets", "2", "--coeffs", "1,2,3,4,5,6"},
     "ipgen: --coeffs 1,2,3,4,5,6: 6 values for NUM_COEFFS 6 and 2 sets; accepted: 12 "
     "coefficients, 2 sets of 6 in turn"},
    {{"fir", "--samples-per-clock", "2", "--filter-type", "decimation", "--decimation", "3"},
     "ipgen: --samples-per-clock 2: --decimation 3 is no multiple of it; accepted: 1; 2 to 8 with "
     "--filter-type single-cycle, or decimation by a multiple of it, with one channel and "
     "parallel complex ports"},
    {{"fir", "--samples-per-clock", "4", "--channels", "2"},
     "ipgen: --samples-per-clock 4: --channels is 2; accepted: 1; 2 to 8 with --filter-type "
     "single-cycle, or decimation by a multiple of it, with one channel and parallel complex "
     "ports"},
    // Viterbi: codes that protect nothing, and the bounds as stated
    {{"viterbi", "--polynomials", "0,0"},
     "ipgen: --polynomials 0,0: item '0' is out of range; accepted: octal numbers separated by "
     "commas, each 1 to 777; 2 or 3, distinct, each below 2^K, bit 0 and bit K-1 each in some "
     "polynomial"},
    {{"viterbi", "--constraint-length", "3", "--polynomials", "5,7,7"},
     "ipgen: --polynomials 5,7,7: polynomial 7 twice: its symbols repeat and add no protection; "
     "accepted: distinct polynomials"},
    {{"viterbi", "--constraint-length", "6", "--polynomials", "70,60"},
     "ipgen: --polynomials 70,60: no polynomial taps the oldest bit of the K = 6 register: the "
     "code has a shorter constraint length; accepted: a set with bit 0 (1) and bit K-1 (40) each "
     "in some polynomial"},
    {{"viterbi", "--constraint-length", "6", "--polynomials", "31,33"},
     "ipgen: --polynomials 31,33: no polynomial taps the newest bit of the K = 6 register: the "
     "code has a shorter constraint length; accepted: a set with bit 0 (1) and bit K-1 (40) each "
     "in some polynomial"},
    {{"viterbi", "--puncture-patterns", "10,01"},
     "ipgen: --puncture-patterns 10,01: 2 symbols sent per 2 bits: a rate of 1 or more protects "
     "nothing; accepted: patterns that send more symbols than the block has bits"},
    {{"viterbi", "--constraint-length", "3", "--polynomials", "7,5,3", "--puncture-patterns",
      "0,0"},
     "ipgen: --puncture-patterns 0,0: 1 symbol sent per 1 bit: a rate of 1 or more protects "
     "nothing; accepted: patterns that send more symbols than the block has bits"},
    {{"viterbi", "--no-soft-decision", "--unsigned"},
     "ipgen: --unsigned: hard-decision input has no soft symbols; accepted: --unsigned with soft "
     "decision only (not with --no-soft-decision)"},
    {{"viterbi", "--traceback-length", "1"},
     "ipgen: --traceback-length 1: out of range; accepted: 2 to 1024; 2 to 256 with --device 0"},
    {{"viterbi", "--traceback-length", "300", "--device", "0"},
     "ipgen: --traceback-length 300: device class 0 addresses the survivor memory with 8 - L(TB) "
     "bits; accepted: 2 to 256 with --device 0"},

};

TEST(Ipgen, RefusesInOneLineAndWritesNothing) {
    for (const Refusal& r : refusals) {
        const IpgenRun run(with(r.args, {"--out", "out"}));
        EXPECT_EQ(run.result.exit_status, 2) << r.line;
        EXPECT_EQ(run.result.err, r.line + "\n");
        EXPECT_EQ(list_directory(run.dir.path()), std::vector<std::string>{}) << r.line;
    }
    // Arguments the front-end cannot read as options.
    for (const auto& [args, line] : std::vector<std::pair<Args, std::string>>{
             {{},
              "ipgen: the core comes first: ipgen CORE [OPTIONS] --out DIR; accepted: CORE "
              "one of fir, rs-decoder, rs-encoder or viterbi\n"},
             {with(rs255, {"--out"}),
              "ipgen: --out: needs a value; accepted: --out DIR or --out=DIR\n"},
             {rs255, "ipgen: --out: required: the folder the core is written to; accepted: "
                     "--out DIR\n"},
         }) {
        const IpgenRun run(args);
        EXPECT_EQ(run.result.exit_status, 2) << line;
        EXPECT_EQ(run.result.err, line);
        EXPECT_EQ(list_directory(run.dir.path()), std::vector<std::string>{}) << line;
    }
}

// ipgen model: beats it cannot read or that make no whole input are
// refused in one line naming the line (status 2), an unreadable --in is
// status 1, and nothing is written either way.
TEST(Ipgen, ModelRefusesBeatsInOneLineAndWritesNothing) {
    const Args model = with({"model"}, rs255);
    const std::string framing =
        "; accepted: tlast (bit 8) on every 239th data symbol, and only there\n";
    for (const auto& [args, input, line, status] :
         std::vector<std::tuple<Args, std::string, std::string, int>>{
             {with(model, {"--in", "-"}), "0a\n",
              "ipgen: --in -: line 1: 2 characters, not a beat; accepted: 3 hexadecimal digits, a "
              "beat of 9 bits\n",
              2},
             {with(model, {"--in", "-"}), "00g\n",
              "ipgen: --in -: line 1: not a hexadecimal digit 'g'; accepted: 3 hexadecimal "
              "digits, a beat of 9 bits\n",
              2},
             {with(model, {"--in", "-"}), "0ff\n200\n",
              "ipgen: --in -: line 2: '200' is wider than 9 bits; accepted: 3 hexadecimal "
              "digits, a beat of 9 bits\n",
              2},
             {with(model, {"--in", "-"}), "1ff\n",
              "ipgen: --in -: line 1: tlast on data symbol 1 of the word" + framing, 2},
             {with(model, {"--in", "-"}), "0ff\r\n001",
              "ipgen: --in -: the beats end inside a word (2 of 239 data symbols)" + framing, 2},
             {with({"model", "fir", "--coeff-width", "8", "--taps", "6", "--output-width", "19"},
                   {"--in", "-"}),
              "001\n200\n",
              "ipgen: --in -: line 2: a coefficient beat (bit 9) to a core with fixed "
              "coefficients; accepted: sample beats only (ipgen fir --loadable takes sets)\n",
              2},
             {model, "",
              "ipgen: --in: required: the tb_in.hex beats to run the model on; accepted: --in "
              "FILE or --in -\n",
              2},
             {with(model, {"--in", "-", "--force"}), "",
              "ipgen: --force: not an option of the model; accepted: the options of the core "
              "(ipgen --help)\n",
              2},
             {with(model, {"--in", "missing.hex"}), "",
              "ipgen: cannot read --in missing.hex: No such file or directory\n", 1},
         }) {
        TempDir dir;
        const RunResult run =
            run_program(IPGEN_PATH, with(args, {"--out", "out.hex"}), dir.path(), input);
        EXPECT_EQ(run.exit_status, status) << line;
        EXPECT_EQ(run.err, line);
        EXPECT_EQ(list_directory(dir.path()), std::vector<std::string>{}) << line;
    }
}

// --coeff-file follows --coeffs' rule and message, and opens the file
// without waiting: a FIFO or a folder is refused with the reason (status 2),
// as is a file beyond the 16 MiB cap; a file that cannot be read is status 1.
TEST(Ipgen, CoefficientFileReadByTheListsRuleWithoutBlocking) {
    TempDir inputs;
    ASSERT_EQ(mkfifo(inputs.file("fifo").c_str(), 0600), 0);
    std::filesystem::create_directory(inputs.file("folder"));
    write_file(inputs.file("huge.dec"), "");
    std::filesystem::resize_file(inputs.file("huge.dec"), (std::uintmax_t{16} << 20) + 1);
    write_file(inputs.file("wide.dec"), "1\n2\n99999999999999999999\n");
    write_file(inputs.file("over.dec"), "1\n2\n\t128\n");
    write_file(inputs.file("x.dec"), "1\n\n2,\n3\n");
    write_file(inputs.file("good.dec"), "1\n-2\n  3  \n");
    const auto path = [&](const char* name) { return inputs.file(name); };
    const std::vector<std::tuple<std::string, int, std::string>> cases = {
        {path("fifo"), 2, ": not a regular file; accepted: a regular file of at most 16 MiB"},
        {path("folder"), 2, ": not a regular file; accepted: a regular file of at most 16 MiB"},
        {path("huge.dec"), 2, ": larger than 16 MiB; accepted: a regular file of at most 16 MiB"},
        {path("wide.dec"), 2,
         ": line 3: item '99999999999999999999' is out of range; accepted: decimal numbers"},
        {path("over.dec"), 2,
         ": coefficient 2 is 128; accepted: -128 to 127 (8-bit signed coefficients)\n"},
        {path("x.dec"), 2, ": line 3: item '2,' is no decimal number; accepted: "},
        {path("missing.dec"), 1, ": No such file or directory\n"},
        {path("good.dec"), 0, ""},
    };
    for (const auto& [file, status, says] : cases) {
        const IpgenRun run({"fir", "--taps", "3", "--coeff-file", file, "--out", "out"});
        EXPECT_EQ(run.result.exit_status, status) << file << run.result.err;
        if (status == 0) {
            EXPECT_EQ(run.file("cin.dec"), "1\n-2\n3\n");
            continue;
        }
        const std::string head =
            status == 1 ? "ipgen: cannot read --coeff-file " : "ipgen: --coeff-file ";
        EXPECT_EQ(run.result.err.substr(0, head.size() + file.size() + says.size()),
                  head + file + says);
        EXPECT_EQ(std::count(run.result.err.begin(), run.result.err.end(), '\n'), 1);
        EXPECT_EQ(list_directory(run.dir.path()), std::vector<std::string>{}) << file;
    }
}

// What the README's rows say of real data (no keyword of complex input),
// and a width the model once refused (29-bit parts, sums beyond 64 bits).
TEST(Ipgen, FirReadmeAndWideParts) {
    const IpgenRun real({"fir", "--out", "out"});
    ASSERT_EQ(real.result.exit_status, 0) << real.result.err;
    const std::string readme = real.file("README.md");
    EXPECT_NE(readme.find("| data | real | REAL_DATA_TYPE: one sample per beat |"),
              std::string::npos);
    EXPECT_EQ(readme.find("NULL"), std::string::npos);
    const IpgenRun wide(
        {"fir", "--tap-width", "29", "--taps", "9", "--output-width", "64", "--out", "out"});
    ASSERT_EQ(wide.result.exit_status, 0) << wide.result.err;
    EXPECT_NE(wide.file("parameters.v").find("`define INPUT_DATA_WIDTH 29\n"), std::string::npos);
}

// ipgen words paritygen's own reason, taken from the same check.
TEST(Ipgen, FieldPolynomialRefusalIsParitygensReason) {
    TempDir paritygen;
    const RunResult reference = run_program(PARITYGEN_PATH,
                                            {"-w", "8", "-n", "255", "-k", "239", "-f", "284", "-g",
                                             "0", "-h", "1", "-p", "1", "-t", "0", "-c", "0"},
                                            paritygen.path());
    ASSERT_EQ(reference.exit_status, 2);
    const std::string head = "paritygen: -f 284: ";
    ASSERT_TRUE(reference.err.starts_with(head)) << reference.err;
    const IpgenRun run(with(rs255, {"--field-poly", "284", "--out", "out"}));
    EXPECT_EQ(run.result.exit_status, 2);
    EXPECT_EQ(run.result.err, "ipgen: --field-poly 284: " + reference.err.substr(head.size()));
}

struct Accepted {
    Args args;           // --out out is added
    std::string command; // the README's re-run command, from "ipgen" to the end of the line
    std::string row;     // a line of the README's value table
};

// Values written back as ipgen read them, defaults filled, --header kept.
const std::vector<Accepted> accepted_runs = {
    {{"rs-encoder", "--symbol-width=+8", "--n", "0255", "--k", "+239", "--first-root", "010"},
     "ipgen rs-encoder --symbol-width 8 --n 255 --k 239 --field-poly 285 --first-root 10 "
     "--root-spacing 1 --pipeline 1 --continuous --netlist minimal --symbols-per-clock 1 --out "
     "rs_encoder_255_239",
     "| --first-root | 10 | the generator's roots are alpha^((G + i) * H), i = 0 .. n-k-1 |"},
    {{"rs-encoder", "--symbol-width", "8", "--n", "204", "--k", "188", "--ccsds", "--no-continuous",
      "--header", "h.v"},
     "ipgen rs-encoder --symbol-width 8 --n 204 --k 188 --field-poly 391 --first-root 112 "
     "--root-spacing 11 --pipeline 1 --no-continuous --ccsds --netlist minimal --symbols-per-clock "
     "1 --header h.v "
     "--out rs_encoder_204_188",
     "| --ccsds | yes | symbols at the ports in the CCSDS dual basis (CCSDS); needs "
     "--symbol-width 8 and takes the field polynomial 391 |"},
    {{"rs-decoder", "--symbol-width", "3", "--n", "7", "--k", "3", "--erasures", "04", "--fail-pin",
      "--tb-words", "5", "--prefix", "d_"},
     "ipgen rs-decoder --symbol-width 3 --n 7 --k 3 --field-poly 11 --first-root 0 "
     "--root-spacing 1 --erasures 4 --sync start-pulse --fail-pin --solver auto "
     "--symbols-per-clock 1 --ser-window 8192 --ser-threshold 417 --tb-words 5 "
     "--prefix d_ --out d_rs_decoder_7_3",
     "| key-equation solver | auto: serial | three multipliers |"},
    // A standard fills the code's values and --ccsds.
    {{"rs-encoder", "--standard", "ccsds-e8", "--n", "255"},
     "ipgen rs-encoder --standard ccsds-e8 --symbol-width 8 --n 255 --k 239 --field-poly 391 "
     "--first-root 120 --root-spacing 11 --pipeline 1 --continuous --ccsds --netlist minimal "
     "--symbols-per-clock 1 "
     "--out rs_encoder_255_239",
     "| --ccsds | yes | symbols at the ports in the CCSDS dual basis (CCSDS); needs "
     "--symbol-width 8 and takes the field polynomial 391 |"},
    // At the bound of the testbench's vectors.
    {{"rs-decoder", "--symbol-width", "12", "--n", "4095", "--k", "4079", "--tb-words", "256"},
     "ipgen rs-decoder --symbol-width 12 --n 4095 --k 4079 --field-poly 4179 --first-root 0 "
     "--root-spacing 1 --erasures 0 --sync start-pulse --solver auto --symbols-per-clock 1 "
     "--ser-window 8192 --ser-threshold 417 --tb-words 256 --out rs_decoder_4095_4079",
     "| --tb-words | 256 | received words in the testbench vectors |"},
};

TEST(Ipgen, WritesBackTheValuesAsRead) {
    for (const Accepted& a : accepted_runs) {
        TempDir dir;
        write_file(dir.file("h.v"), "// h\n");
        const RunResult run = run_program(IPGEN_PATH, with(a.args, {"--out", "out"}), dir.path());
        ASSERT_EQ(run.exit_status, 0) << run.err;
        const std::string readme = read_file(dir.file("out/README.md"));
        EXPECT_NE(readme.find("\n    " + a.command + "\n"), std::string::npos) << readme;
        EXPECT_NE(readme.find("\n" + a.row + "\n"), std::string::npos) << a.row;
    }
    // The same folder again from the command the README gives.
    const IpgenRun first({"rs-encoder", "--symbol-width", "8", "--n", "+0200", "--k", "0180",
                          "--netlist", "plain", "--out", "out"});
    ASSERT_EQ(first.result.exit_status, 0) << first.result.err;
    const std::string readme = first.file("README.md");
    const size_t at = readme.find("    ipgen ") + 10;
    std::istringstream words(readme.substr(at, readme.find('\n', at) - at));
    Args again;
    for (std::string word; words >> word;) {
        again.push_back(word);
    }
    again.back() = "out";
    const IpgenRun second(again);
    ASSERT_EQ(second.result.exit_status, 0) << second.result.err;
    for (const char* name : {"multiplier.v", "rsenc_params.v", "tb_out.hex", "README.md"}) {
        EXPECT_EQ(second.file(name), first.file(name)) << name;
    }
}

TEST(Ipgen, DescribeIsJsonOfTheDeclarations) {
    const std::string script =
        "import json, sys\n"
        "d = json.loads(sys.stdin.read())\n"
        "o = {x['name']: x for x in d['options']}\n"
        "w, f, c, t = o['symbol-width'], o['field-poly'], o['continuous'], o['netlist']\n"
        "print(d['core'], d['interface']['clock'], len(d['options']))\n"
        "print(w['kind'], w['min'], w['max'], w['required'], w['default'])\n"
        "print(f['default'], f['required'], f['default_rule'] is not None)\n"
        "print(c['kind'], c['default'], c['negatable'])\n"
        "print(t['kind'], t['choices'], t['default'])\n";
    TempDir dir;
    write_file(dir.file("check.py"), script);
    const RunResult described = run_program(IPGEN_PATH, {"rs-encoder", "--describe"}, dir.path());
    ASSERT_EQ(described.exit_status, 0) << described.err;
    const RunResult parsed =
        run_program("/usr/bin/python3", {"check.py"}, dir.path(), described.out);
    ASSERT_EQ(parsed.exit_status, 0) << parsed.err;
    EXPECT_EQ(parsed.out, "rs-encoder aclk 14\n"
                          "integer 2 12 True None\n"
                          "None False True\n"
                          "flag True True\n"
                          "choice ['minimal', 'shared', 'plain'] minimal\n");

    // Every core's description parses; texts with quotes, backslashes and
    // control characters survive the escaping.
    const std::string odd = "say \"x\" \\ tab\there\nline\x01 end";
    front::CoreDefinition core{.name = "odd", .summary = odd};
    core.options.push_back({.name = "list",
                            .kind = front::OptionKind::octal_list,
                            .value_name = "P",
                            .help = odd,
                            .min = 1,
                            .max = 511,
                            .default_value = std::vector<std::int64_t>{121, 91}});
    write_file(dir.file("odd.json"), front::describe_json(core));
    write_file(dir.file("echo.py"), "import json, sys\n"
                                    "d = json.load(open(sys.argv[1]))\n"
                                    "sys.stdout.write(d['summary'] + '|' + d['options'][0]['help'] "
                                    "+ '|' + str(d['options'][0]['default']))\n");
    const RunResult echoed = run_program("/usr/bin/python3", {"echo.py", "odd.json"}, dir.path());
    ASSERT_EQ(echoed.exit_status, 0) << echoed.err;
    EXPECT_EQ(echoed.out, odd + "|" + odd + "|[121, 91]");
    for (const char* name : {"rs-decoder", "viterbi", "fir"}) {
        const RunResult run = run_program(IPGEN_PATH, {name, "--describe"}, dir.path());
        ASSERT_EQ(run.exit_status, 0) << name;
        const RunResult json = run_program("/usr/bin/python3",
                                           {"-c", "import json, sys; json.loads(sys.stdin.read())"},
                                           dir.path(), run.out);
        EXPECT_EQ(json.exit_status, 0) << name << json.err;
    }
}

// The reading of each kind, as the command line reads it.
TEST(Ipgen, ReadsEachKindOfValue) {
    using front::OptionKind;
    struct Reading {
        OptionKind kind;
        std::string text;
        std::string read; // as written back; empty: refused
        std::string why;
    };
    const std::vector<Reading> readings = {
        {OptionKind::integer, "+8", "8", ""},
        {OptionKind::integer, "010", "10", ""},
        {OptionKind::integer, "-0", "0", ""},
        {OptionKind::integer, "1e3", "", "not a decimal number"},
        {OptionKind::integer, " 8", "", "not a decimal number"},
        {OptionKind::integer, "+", "", "not a decimal number"},
        {OptionKind::integer, "512", "", "out of range"},
        {OptionKind::integer_list, "1,+2,-003", "1,2,-3", ""},
        {OptionKind::integer_list, "1,,2", "", "item '' is no decimal number"},
        {OptionKind::integer_list, "1,600", "", "item '600' is out of range"},
        {OptionKind::octal_list, "171,0133", "171,133", ""},
        {OptionKind::octal_list, "171,181", "", "item '181' is no octal number"},
        {OptionKind::octal_list, "1000", "", "item '1000' is out of range"},
        {OptionKind::choice, "b", "b", ""},
        {OptionKind::choice, "B", "", "unknown choice"},
        {OptionKind::file, "", "", "an empty file name"},
    };
    for (const Reading& r : readings) {
        const front::Option option{
            .name = "x", .kind = r.kind, .min = -511, .max = 511, .choices = {"a", "b"}};
        front::Problem problem;
        const std::optional<front::Value> value = front::read_value(option, r.text, problem);
        EXPECT_EQ(value ? front::value_text(option, *value) : "", r.read) << r.text;
        EXPECT_EQ(value ? "" : problem.why, r.why) << r.text;
    }
}

TEST(Ipgen, FolderMustBeNewOrEmptyOrForcedAndWritable) {
    TempDir dir;
    write_file(dir.file("keep.txt"), "mine\n");
    const Args into_dir = with(rs255, {"--out", dir.path()});
    RunResult run = run_program(IPGEN_PATH, into_dir, dir.path());
    EXPECT_EQ(run.exit_status, 2);
    EXPECT_EQ(list_directory(dir.path()), std::vector<std::string>{"keep.txt"}) << run.err;
    run = run_program(IPGEN_PATH, with(into_dir, {"--force"}), dir.path());
    EXPECT_EQ(run.exit_status, 0) << run.err;
    EXPECT_EQ(read_file(dir.file("keep.txt")), "mine\n");
    EXPECT_TRUE(file_exists(dir.file("multiplier.v")));

    // A file where a folder must go: one line, status 1.
    run = run_program(IPGEN_PATH, with(rs255, {"--out", "keep.txt/core"}), dir.path());
    EXPECT_EQ(run.exit_status, 1);
    EXPECT_TRUE(run.err.starts_with("ipgen: cannot write keep.txt/core: ")) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    run = run_program(IPGEN_PATH, with(rs255, {"--header", "missing.v", "--out", "o"}), dir.path());
    EXPECT_EQ(run.exit_status, 1);
    EXPECT_EQ(run.err, "ipgen: cannot read --header missing.v: No such file or directory\n");
    EXPECT_FALSE(file_exists(dir.file("o")));
}

TEST(Ipgen, FolderListsAgreeWithItsFiles) {
    const IpgenRun run(with(rs255, {"--prefix", "enc_", "--out", "out"}));
    ASSERT_EQ(run.result.exit_status, 0) << run.result.err;
    // The compile order: the parameter file, the generated module, the core.
    const std::string list = run.file("enc_rs_encoder_255_239.f");
    EXPECT_TRUE(list.starts_with("+incdir+.\nenc_rsenc_params.v\nenc_multiplier.v\n")) << list;
    const std::vector<std::string> folder = list_directory(run.dir.file("out"));
    std::istringstream lines(list.substr(list.find('\n') + 1));
    for (std::string name; std::getline(lines, name);) {
        EXPECT_TRUE(std::count(folder.begin(), folder.end(), name)) << name;
    }
    // The FuseSoC description is YAML naming the same files and the tops.
    const std::string script = "import sys, yaml\n"
                               "text = open(sys.argv[1]).read()\n"
                               "assert text.startswith('CAPI=2:\\n')\n"
                               "core = yaml.safe_load(text)\n"
                               "names = [list(f)[0] if isinstance(f, dict) else f\n"
                               "         for s in core['filesets'].values() for f in s['files']]\n"
                               "print(core['name'], core['targets']['default']['toplevel'],\n"
                               "      core['targets']['sim']['toplevel'])\n"
                               "print('\\n'.join(names))\n";
    write_file(run.dir.file("check.py"), script);
    const RunResult yaml = run_program(
        "/usr/bin/python3", {"check.py", "out/enc_rs_encoder_255_239.core"}, run.dir.path());
    ASSERT_EQ(yaml.exit_status, 0) << yaml.err;
    std::istringstream named(yaml.out);
    std::string line;
    std::getline(named, line);
    EXPECT_EQ(line, "ipgen:rs:enc_rs_encoder_255_239:0.1.0 enc_rs_encoder_axis enc_tb_rs_encoder");
    std::getline(named, line);
    EXPECT_EQ(line, "enc_rsenc_params.v");
    for (; std::getline(named, line);) {
        EXPECT_TRUE(std::count(folder.begin(), folder.end(), line)) << line;
    }
    // The README starts with the command that writes the folder again.
    EXPECT_NE(
        run.file("README.md")
            .find("    ipgen rs-encoder --symbol-width 8 --n 255 --k 239 "
                  "--field-poly 285 --first-root 0 --root-spacing 1 "
                  "--pipeline 1 --continuous --netlist minimal --symbols-per-clock 1 --prefix "
                  "enc_ --out enc_rs_encoder_255_239\n"),
        std::string::npos);
}

TEST(Ipgen, HelpNamesEveryOptionAndVersionPrints) {
    const IpgenRun help({"--help"});
    EXPECT_EQ(help.result.exit_status, 0);
    for (const char* option : {"--symbol-width",
                               "--n N",
                               "--k K",
                               "--field-poly",
                               "--first-root",
                               "--root-spacing",
                               "--pipeline",
                               "--registered-input",
                               "--no-continuous",
                               "--ccsds",
                               "--netlist",
                               "--prefix",
                               "--header",
                               "--force",
                               "--out",
                               "example:",
                               "--erasures E",
                               "--sync MODE",
                               "--fail-pin",
                               "--tb-words W",
                               "--describe",
                               "integer, accepted: 2 to 12; required",
                               "n x W at most 1048576 symbols",
                               "ipgen: --NAME VALUE: <why>; accepted: <what>"}) {
        EXPECT_NE(help.result.out.find(option), std::string::npos) << option;
    }
    const IpgenRun version({"--version"});
    EXPECT_EQ(version.result.out, "ipgen (fpga-ip-generators) 0.1.0\n");
}

TEST(PrefixRename, RenamesModulesMacrosAndIncludedFilesOnly) {
    std::vector<front::VerilogText> files = {
        {"defs.vh", "`define WIDTH 8 // WIDTH of multiplier\n`define TWO (`WIDTH*2)\n"},
        {"top.v", "`timescale 1ns/1ns\n`include \"defs.vh\"\n`include \"other.vh\"\n"
                  "`ifdef CCSDS\n`elsif PIPE1\n`endif\n"
                  "module top(input [`WIDTH-1:0] a, output [`TWO-1:0] b);\n"
                  "  /* multiplier */ multiplier mult (.x(a), .y(b));\n"
                  "  initial $display(\"multiplier `WIDTH\", 8'hab, 4'b1010, multiplier_x);\n"
                  "endmodule\n"},
        {"multiplier.v", "module multiplier(input [7:0] x, output [15:0] y);\nendmodule\n"},
    };
    front::apply_prefix(files, "p_");
    EXPECT_EQ(files[0].name, "p_defs.vh");
    EXPECT_EQ(files[0].text,
              "`define p_WIDTH 8 // WIDTH of multiplier\n`define p_TWO (`p_WIDTH*2)\n");
    EXPECT_EQ(files[1].text,
              "`timescale 1ns/1ns\n`include \"p_defs.vh\"\n`include \"other.vh\"\n"
              "`ifdef p_CCSDS\n`elsif p_PIPE1\n`endif\n"
              "module p_top(input [`p_WIDTH-1:0] a, output [`p_TWO-1:0] b);\n"
              "  /* multiplier */ p_multiplier mult (.x(a), .y(b));\n"
              "  initial $display(\"multiplier `WIDTH\", 8'hab, 4'b1010, multiplier_x);\n"
              "endmodule\n");
    EXPECT_EQ(files[2].name, "p_multiplier.v");
    EXPECT_TRUE(files[2].text.starts_with("module p_multiplier(")) << files[2].text;
}

} // namespace
} // namespace ipgen::test
