#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <unistd.h>

#include <sys/stat.h>

namespace ipgen::test {
namespace {

const std::string header = "// Reed-Solomon encoder core\n// configuration under test\n";

const std::vector<std::string> rs255 = {"-n", "255", "-k", "239", "-w", "8",  "-f", "285", "-g",
                                        "0",  "-h",  "1",  "-p",  "1",  "-t", "0",  "-c",  "0"};

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string>& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

struct GeneratorRun {
    TempDir dir;
    RunResult result;

    explicit GeneratorRun(const std::vector<std::string>& args, bool with_header = true,
                          const std::function<void(const TempDir&)>& prepare = {}) {
        if (with_header) {
            write_file(dir.file("header.v"), header);
        }
        if (prepare) {
            prepare(dir);
        }
        result = run_program(PARITYGEN_PATH, args, dir.path());
    }

    std::string file(const std::string& name) const { return read_file(dir.file(name)); }
    std::vector<std::string> files() const { return list_directory(dir.path()); }
};

using Files = std::vector<std::string>;

void expect_files_match(const GeneratorRun& run, const std::string& folder, const Files& names) {
    for (const std::string& name : names) {
        EXPECT_EQ(run.file(name), expected_file("paritygen/" + folder + "/" + name, run.file(name)))
            << name;
    }
}

TEST(Paritygen, SharedTermStyleRs255_239) {
    const GeneratorRun run(with(rs255, {"-a", "1"}));
    EXPECT_EQ(run.result.exit_status, 0);
    EXPECT_EQ(run.result.err, "");
    EXPECT_EQ(run.result.out, "");
    EXPECT_EQ(run.files(),
              (Files{"gfile", "header.v", "mult_temp.v", "multiplier.v", "rsenc_params.v"}));
    expect_files_match(run, "rs_255_239_shared",
                       {"gfile", "multiplier.v", "mult_temp.v", "rsenc_params.v"});

    // The wire declarations come first; the assignments gathered in
    // mult_temp.v follow them verbatim, then the end of the module.
    const std::string multiplier = run.file("multiplier.v");
    const std::string temp = run.file("mult_temp.v");
    ASSERT_TRUE(multiplier.starts_with(header + "\n\n`timescale 1ns/1ns\n"));
    ASSERT_TRUE(multiplier.ends_with(temp + "\n\nendmodule\n"));
    EXPECT_TRUE(temp.starts_with("\n\nassign g_0_8 = "));
    const std::string before_temp = multiplier.substr(0, multiplier.size() - temp.size() -
                                                             std::string("\n\nendmodule\n").size());
    EXPECT_EQ(before_temp.find("assign"), std::string::npos);
    EXPECT_TRUE(before_temp.ends_with("wire g_15_13 ;\n")) << before_temp;
}

TEST(Paritygen, PlainStyleRs255_239) {
    const GeneratorRun run(with(rs255, {"-a", "0"}));
    EXPECT_EQ(run.result.exit_status, 0);
    EXPECT_EQ(run.result.err, "");
    EXPECT_EQ(run.files(), (Files{"gfile", "header.v", "multiplier.v", "rsenc_params.v"}));
    expect_files_match(run, "rs_255_239_plain", {"multiplier.v"});
    // The style changes multiplier.v only.
    expect_files_match(run, "rs_255_239_shared", {"gfile", "rsenc_params.v"});
    // No empty lines between the header and the timescale in this style.
    EXPECT_TRUE(run.file("multiplier.v").starts_with(header + "`timescale 1ns/1ns\n"));
    EXPECT_EQ(run.file("multiplier.v").find("wire"), std::string::npos);
}

TEST(Paritygen, AnyStyleOtherThanOneIsPlain) {
    const GeneratorRun plain(with(rs255, {"-a", "0"}));
    const GeneratorRun two(with(rs255, {"-a", "2"}));
    EXPECT_EQ(two.result.exit_status, 0);
    EXPECT_EQ(two.file("multiplier.v"), plain.file("multiplier.v"));
    EXPECT_FALSE(file_exists(two.dir.file("mult_temp.v")));
}

TEST(Paritygen, Gf16GeneratorFromAlpha) {
    // gen(x) = (x + a)(x + a^2)(x + a^3)(x + a^4) = x^4 + 13x^3 + 12x^2 + 8x + 7.
    const GeneratorRun run({"-w", "4", "-f", "19", "-n", "15", "-k", "11", "-g", "1", "-h", "1",
                            "-p", "0", "-t", "1", "-c", "0"});
    EXPECT_EQ(run.result.exit_status, 0);
    EXPECT_EQ(run.file("gfile"), "0 10\n1 3\n2 6\n3 13\n4 0\n");
    EXPECT_EQ(run.file("rsenc_params.v"),
              header + "\n\n"
                       "`define NUM_TOTAL_SYMBOLS                  4'b1111\n"
                       "`define NUM_DATA_SYMBOLS                   4'b1011\n"
                       "`define INPUT_DATA_WIDTH                   4\n"
                       "`define REMAINDER_WIDTH                    16\n"
                       "`define MAX_COUNT_DATA_SYMBOL              4'b1010\n"
                       "`define MAX_COUNT_TOTAL_SYMBOL             4'b1110\n"
                       "`define MAX_COUNT_DATA_SYMBOL_MINUS_TWO    4'b1000\n"
                       "`define MAX_COUNT_TOTAL_SYMBOL_MINUS_TWO   4'b1100\n");
}

TEST(Paritygen, UnknownSwitchesAreReportedAndSkipped) {
    const GeneratorRun plain(rs255);
    const GeneratorRun run(with({"stray", "-x", "5", "-nfoo", "204", "-"}, rs255));
    EXPECT_EQ(run.result.exit_status, 0);
    EXPECT_EQ(run.result.err, "Unknown switch -x\nUnknown switch -\n");
    EXPECT_EQ(run.file("multiplier.v"), plain.file("multiplier.v"));
    EXPECT_EQ(run.file("rsenc_params.v"), plain.file("rsenc_params.v"));
}

// Refused switches: one line on standard error, status 2, and the files of
// an earlier run untouched.
TEST(Paritygen, RefusalsWriteNothing) {
    const std::string usage =
        "usage: paritygen -n N -k K -w M -f POLY -g FIRST_ROOT -h ROOT_SPACING -p PIPE_MODE "
        "[-r REGISTERED_INPUT] -t NONCONTINUOUS -c CCSDS [-a MULT_STYLE]\n";
    const std::string h_refused =
        ": alpha^h must generate the field; accepted: 1 or more, coprime to 255 (2^m-1)\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"-n", "255", "-k", "239", "-w", "8", "-f", "285", "-g", "0", "-h", "1", "-t", "0", "-c",
          "0"},
         "paritygen: switch -p is missing; every switch but -a and -r is required\n" + usage},
        {{}, "paritygen: switch -n is missing; every switch but -a and -r is required\n" + usage},
        {with(rs255, {"-r"}), "paritygen: switch -r is the last argument and has no value; "
                              "accepted: a decimal number after every switch\n"},
        {with(rs255, {"-w", "13"}), "paritygen: -w 13: accepted: 2 to 12 bits per symbol\n"},
        {with(rs255, {"-w", "1"}), "paritygen: -w 1: accepted: 2 to 12 bits per symbol\n"},
        {with(rs255, {"-f", "283"}),
         "paritygen: -f 283: not a primitive field polynomial of degree 8; accepted: x^8 plus "
         "lower terms that make alpha generate all 255 non-zero elements, as a number below 512 "
         "(285 for m = 8)\n"},
        {with(rs255, {"-f", "797"}),
         "paritygen: -f 797: not a primitive field polynomial of degree 8; accepted: x^8 plus "
         "lower terms that make alpha generate all 255 non-zero elements, as a number below 512 "
         "(285 for m = 8)\n"},
        {with(rs255, {"-k", "0"}), "paritygen: -k 0: accepted: 1 to 254 (2^m-2) data symbols\n"},
        {with(rs255, {"-n", "256"}),
         "paritygen: -n 256: accepted: 240 (k+1) to 255 (2^m-1) symbols\n"},
        {with(rs255, {"-n", "239"}),
         "paritygen: -n 239: accepted: 240 (k+1) to 255 (2^m-1) symbols\n"},
        {with(rs255, {"-g", "-3"}), "paritygen: -g -3: accepted: 0 or more\n"},
        {with(rs255, {"-h", "-1"}), "paritygen: -h -1" + h_refused},
        {with(rs255, {"-h", "0"}), "paritygen: -h 0" + h_refused},
        {with(rs255, {"-h", "51"}), "paritygen: -h 51" + h_refused},
        {with(rs255, {"-h", "255"}), "paritygen: -h 255" + h_refused},
        {with(rs255, {"-c", "4294967296"}),
         "paritygen: -c 4294967296: beyond the 32-bit integer range\n"},
    };
    for (const auto& [args, message] : cases) {
        const GeneratorRun run(args, true,
                               [](const TempDir& dir) { write_file(dir.file("gfile"), "old"); });
        EXPECT_EQ(run.result.exit_status, 2) << message;
        EXPECT_EQ(run.result.err, message);
        EXPECT_EQ(run.files(), (Files{"gfile", "header.v"})) << message;
        EXPECT_EQ(run.file("gfile"), "old");
    }
}

TEST(Paritygen, MissingHeaderPlain) {
    const GeneratorRun run(with(rs255, {"-a", "0"}), false);
    EXPECT_EQ(run.result.exit_status, 1);
    EXPECT_EQ(run.result.err, "Cannot open header.v\n");
    EXPECT_EQ(run.files(), (Files{"gfile", "multiplier.v"}));
    EXPECT_EQ(run.file("gfile"), read_file(data_path("paritygen/rs_255_239_shared/gfile")));
    EXPECT_EQ(run.file("multiplier.v"), "");
}

TEST(Paritygen, MissingHeaderShared) {
    const GeneratorRun run(rs255, false);
    EXPECT_EQ(run.result.exit_status, 1);
    EXPECT_EQ(run.result.err, "Cannot open header.v\n");
    EXPECT_EQ(run.files(), (Files{"gfile", "mult_temp.v", "multiplier.v"}));
    EXPECT_EQ(run.file("gfile"), read_file(data_path("paritygen/rs_255_239_shared/gfile")));
    EXPECT_EQ(run.file("multiplier.v"), "");
    EXPECT_EQ(run.file("mult_temp.v"), "");
}

TEST(Paritygen, MultiplierThatCannotBeCreated) {
    for (const std::string style : {"0", "1"}) {
        const GeneratorRun run(with(rs255, {"-a", style}), true, [](const TempDir& dir) {
            ::mkdir(dir.file("multiplier.v").c_str(), 0755);
        });
        EXPECT_EQ(run.result.exit_status, 1) << style;
        EXPECT_EQ(run.result.err, "Cannot open multiplier.v\n");
        EXPECT_EQ(run.files(), (Files{"gfile", "header.v", "multiplier.v"}));
        EXPECT_EQ(run.file("gfile"), read_file(data_path("paritygen/rs_255_239_shared/gfile")));
    }
}

TEST(Paritygen, TemporaryFileThatCannotBeCreated) {
    const GeneratorRun run(
        rs255, true, [](const TempDir& dir) { ::mkdir(dir.file("mult_temp.v").c_str(), 0755); });
    EXPECT_EQ(run.result.exit_status, 1);
    EXPECT_EQ(run.result.err, "Cannot open mult_temp.v\n");
    EXPECT_EQ(run.files(), (Files{"gfile", "header.v", "mult_temp.v", "multiplier.v"}));
    EXPECT_EQ(run.file("multiplier.v"), "");
}

// A full disk is reported for the file it hit, not taken for success.
TEST(Paritygen, FullDiskEndsTheRunAtThatFile) {
    const std::vector<std::tuple<std::string, std::string, Files>> cases = {
        {"gfile", "0", {"gfile", "header.v"}},
        {"multiplier.v", "0", {"gfile", "header.v", "multiplier.v"}},
        {"multiplier.v", "1", {"gfile", "header.v", "mult_temp.v", "multiplier.v"}},
        {"mult_temp.v", "1", {"gfile", "header.v", "mult_temp.v", "multiplier.v"}},
        {"rsenc_params.v", "0", {"gfile", "header.v", "multiplier.v", "rsenc_params.v"}},
        {"rsenc_params.v",
         "1",
         {"gfile", "header.v", "mult_temp.v", "multiplier.v", "rsenc_params.v"}},
    };
    for (const auto& [full, style, files] : cases) {
        const GeneratorRun run(with(rs255, {"-a", style}), true, [&full](const TempDir& dir) {
            ASSERT_EQ(::symlink("/dev/full", dir.file(full).c_str()), 0);
        });
        EXPECT_EQ(run.result.exit_status, 1) << full << " -a " << style;
        EXPECT_EQ(run.result.err, "Cannot open " + full + "\n");
        EXPECT_EQ(run.files(), files) << full << " -a " << style;
    }
}

} // namespace
} // namespace ipgen::test
