// ipgen as a user runs it: the generated files equal paritygen's, bad
// values are refused like paritygen refuses them and write nothing, the
// folder's lists agree with its files, and --prefix renames every module,
// macro and Verilog file name and nothing else.
#include "ipgen/prefix_rename.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

#include <fstream>

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

TEST(Ipgen, RefusesBadValuesWithParitygensMessageAndWritesNothing) {
    TempDir paritygen;
    const RunResult reference = run_program(PARITYGEN_PATH,
                                            {"-w", "8", "-n", "255", "-k", "239", "-f", "284", "-g",
                                             "0", "-h", "1", "-p", "1", "-t", "0", "-c", "0"},
                                            paritygen.path());
    ASSERT_EQ(reference.exit_status, 2);
    ASSERT_TRUE(reference.err.starts_with("paritygen: -f 284: "));
    const std::string field_refusal =
        "ipgen: --field-poly 284: " +
        reference.err.substr(std::string("paritygen: -f 284: ").size());

    const std::vector<std::pair<Args, std::string>> cases = {
        {with(rs255, {"--field-poly", "284"}), field_refusal},
        {{"rs-encoder", "--symbol-width", "13", "--n", "255", "--k", "239"},
         "ipgen: --symbol-width 13: accepted: 2 to 12 bits per symbol\n"},
        {{"rs-encoder", "--symbol-width", "8", "--n", "256", "--k", "239"},
         "ipgen: --n 256: accepted: 240 (k+1) to 255 (2^m-1) symbols\n"},
        {with(rs255, {"--root-spacing", "5"}), "ipgen: --root-spacing 5: "},
        {with(rs255, {"--first-root", "-1"}), "ipgen: --first-root -1: accepted: 0 or more\n"},
        {with(rs255, {"--k", "99999999999"}), "ipgen: --k 99999999999: beyond the 32-bit"},
        {with(rs255, {"--n", "2x"}), "ipgen: --n 2x: accepted: a decimal number\n"},
        {with(rs255, {"--pipeline", "3"}), "ipgen: --pipeline 3: accepted: 0 (none)"},
        {with(rs255, {"--pipeline", "0", "--registered-input"}), "ipgen: --registered-input: "},
        {with(rs255, {"--netlist", "tiny"}),
         "ipgen: --netlist tiny: accepted: minimal, shared or plain\n"},
        {with(rs255, {"--ccsds", "--field-poly", "285"}), "ipgen: --ccsds: "},
        {with(rs255, {"--prefix", "2enc"}), "ipgen: --prefix 2enc: not a Verilog identifier; accepted: letters"},
        {with(rs255, {"--speed", "9"}), "ipgen: --speed: unknown option of rs-encoder; accepted: "},
        {with(rs255, {"--ccsds=1"}), "ipgen: --ccsds 1: a flag takes no value; accepted: --ccsds\n"},
        {{"rs-encoder", "--n", "255", "--k", "239"}, "ipgen: --symbol-width: required; accepted: "},
        {{"rs-decoder", "--symbol-width", "8", "--n", "20", "--k", "19"},
         "ipgen: --n 20 --k 19: one check symbol corrects nothing; accepted: n-k of 2 or more\n"},
        {{"rs-decoder", "--symbol-width", "8", "--n", "30", "--k", "19", "--erasures", "12"},
         "ipgen: --erasures 12: accepted: 0 to 11 (n-k) erasures\n"},
        {{"rs-decoder", "--symbol-width", "8", "--n", "30", "--k", "19", "--sync", "edge"},
         "ipgen: --sync edge: accepted: start-pulse or symbol-enable\n"},
        {{"rs-decoder", "--symbol-width", "8", "--n", "30", "--k", "19", "--field-poly", "285",
          "--ccsds"},
         "ipgen: --ccsds: "},
        {{"fir", "--taps", "0"},
         "ipgen: --taps (user_params.txt line 3, Number of taps): 0; accepted: 1 or more"},
        {{"fir", "--taps", "130"}, "ipgen: user_params.txt: 130 multipliers (NUM_MULTIPLIERS)"},
        {{"fir", "--filter-type", "multi-cycle", "--cycles", "0"},
         "ipgen: --cycles (user_params.txt line 11, Number of cycles (MULTICYCLE)): 0;"},
        {{"fir", "--symmetry", "odd"}, "ipgen: --symmetry odd: accepted: none, symmetric or "},
        {{"fir", "--tap-width", "8", "--coeff-width", "12"}, "ipgen: --tap-width 8 --coeff-width"},
        {{"fir", "--coeffs", "1,2,3"}, "ipgen: --coeffs: 3 values; accepted: 6 coefficients"},
        {{"fir", "--coeffs", "1,2,x,4,5,6"}, "ipgen: --coeffs 1,2,x,4,5,6: 'x' is no decimal"},
        {{"fir", "--coeffs", "1,2,3,4,5,128"},
         "ipgen: --coeffs: coefficient 5 is 128 (coeff data out of range); accepted: -128 to "
         "127"},
        {{"turbo"}, "ipgen: unknown core 'turbo'; accepted: rs-encoder, "},
        {{}, "ipgen: the core comes first"},
        {{"rs-encoder", "--symbol-width", "8", "--n", "255", "--k", "239", "--out"},
         "ipgen: --out: needs a value; accepted: --out DIR or --out=DIR\n"},
    };
    for (const auto& [args, message] : cases) {
        const IpgenRun run(
            args.size() > 1 && args.back() == "--out" ? args : with(args, {"--out", "out"}));
        EXPECT_EQ(run.result.exit_status, 2) << message;
        EXPECT_TRUE(run.result.err.starts_with(message)) << run.result.err;
        EXPECT_EQ(std::count(run.result.err.begin(), run.result.err.end(), '\n'), 1) << message;
        EXPECT_EQ(list_directory(run.dir.path()), std::vector<std::string>{}) << message;
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
    EXPECT_EQ(run.err, "ipgen: cannot read --header missing.v\n");
    EXPECT_FALSE(file_exists(dir.file("o")));
    run = run_program(IPGEN_PATH, rs255, dir.path());
    EXPECT_EQ(run.exit_status, 2);
    EXPECT_TRUE(run.err.starts_with("ipgen: --out: required")) << run.err;
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
    EXPECT_NE(run.file("README.md")
                  .find("    ipgen rs-encoder --symbol-width 8 --n 255 --k 239 "
                        "--field-poly 285 --first-root 0 --root-spacing 1 "
                        "--pipeline 1 --continuous --netlist minimal --prefix "
                        "enc_ --out enc_rs_encoder_255_239\n"),
              std::string::npos);
}

TEST(Ipgen, HelpNamesEveryOptionAndVersionPrints) {
    const IpgenRun help({"--help"});
    EXPECT_EQ(help.result.exit_status, 0);
    for (const char* option :
         {"--symbol-width",  "--n N",          "--k K",      "--field-poly",
          "--first-root",    "--root-spacing", "--pipeline", "--registered-input",
          "--no-continuous", "--ccsds",        "--netlist",  "--prefix",
          "--header",        "--force",        "--out",      "example:",
          "--erasures E",    "--sync MODE",    "--fail-pin", "--tb-words W"}) {
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
