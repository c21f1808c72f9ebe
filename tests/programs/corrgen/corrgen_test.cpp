// corrgen run as a user runs it: in a directory of its own, with header.v
// and the switches, checked file by file, byte by byte.
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace ipgen::test {
namespace {

using Args = std::vector<std::string>;

const Args rs255_239 = {"-w", "8", "-n", "255", "-k", "239", "-f", "285", "-g", "0",
                        "-h", "1", "-e", "0",   "-y", "0",   "-o", "0",   "-c", "0"};

// The decoder's files in the order corrgen writes them.
const std::vector<std::string> decoder_files = {
    "gfinvrom.v",    "gfromxp.v", "gfile",  "corrgen_params.v", "mastrovito.v",
    "chiensearch.v", "errmag.v",  "synd.v", "multiplier.v",
};

// The header of the expected files in tests/data/corrgen/rs255_239.
const std::string small_header = "// RS(255,239) decoder core\n"
                                 "// generated for the program tests\n";

Args operator+(Args args, const Args& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

RunResult corrgen(const TempDir& dir, const Args& args) {
    return run_program(CORRGEN_PATH, args, dir.path());
}

std::string golden(const std::string& name) {
    return read_file(data_path("corrgen/rs255_239/" + name));
}

std::vector<std::string> with_header_v(std::vector<std::string> names) {
    names.push_back("header.v");
    std::sort(names.begin(), names.end());
    return names;
}

// The files of RS(255,239) with the small header, except `except`.
void expect_rs255_239_files(const TempDir& dir, const std::string& except = "") {
    for (const std::string& name : decoder_files) {
        if (name != except) {
            EXPECT_EQ(read_file(dir.file(name)), golden(name)) << name;
        }
    }
}

TEST(Corrgen, WritesTheWholeDecoderForRs255_239) {
    TempDir dir;
    write_file(dir.file("header.v"), small_header);
    const RunResult result = corrgen(dir, rs255_239);
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.out, "\n \n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(list_directory(dir.path()), with_header_v(decoder_files));
    for (const std::string& name : decoder_files) {
        const std::string actual = read_file(dir.file(name));
        EXPECT_EQ(actual, expected_file("corrgen/rs255_239/" + name, actual)) << name;
    }
}

TEST(Corrgen, EveryFileButMultiplierCarriesTheWholeHeader) {
    TempDir dir;
    // Lines far beyond the 199 characters of a line buffer, and no line end
    // at the very end.
    const std::string header = "// " + std::string(300, '#') + "\n" + "`define LONG " +
                               std::string(250, '7') + "\n" + std::string(450, '/');
    write_file(dir.file("header.v"), header);
    const RunResult result = corrgen(dir, rs255_239);
    ASSERT_EQ(result.exit_status, 0) << result.err;
    for (const std::string& name : decoder_files) {
        const std::string body = name == "multiplier.v"
                                     ? golden(name)
                                     : header + golden(name).substr(small_header.size());
        EXPECT_EQ(read_file(dir.file(name)), body) << name;
    }
}

TEST(Corrgen, MissingHeaderLeavesOnlyAnEmptyInverseRom) {
    TempDir dir;
    const RunResult result = corrgen(dir, rs255_239);
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.err, "Cannot open header.v\n");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(list_directory(dir.path()), (std::vector<std::string>{"gfinvrom.v"}));
    EXPECT_EQ(read_file(dir.file("gfinvrom.v")), "");
}

TEST(Corrgen, UnknownSwitchIsReportedAndTheRunGoesOn) {
    TempDir dir;
    write_file(dir.file("header.v"), small_header);
    // The 5 after -x is not its value: it is skipped as a stray word.
    const RunResult result = corrgen(dir, Args{"-x", "5", "-", "-W"} + rs255_239);
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.err, "Unknown switch -x\nUnknown switch -\nUnknown switch -W\n");
    EXPECT_EQ(result.out, "\n \n");
    expect_rs255_239_files(dir);
}

TEST(Corrgen, StrayWordsChangeNothing) {
    TempDir dir;
    write_file(dir.file("header.v"), small_header);
    const RunResult result = corrgen(dir, Args{"stray", "255"} + rs255_239 + Args{"words"});
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.err, "");
    expect_rs255_239_files(dir);
}

TEST(Corrgen, OnlyTheSecondCharacterOfASwitchCounts) {
    TempDir dir;
    write_file(dir.file("header.v"), small_header);
    // -w8 is -w: its value is the 4 that follows, a code over GF(16).
    const RunResult result =
        corrgen(dir, Args{"-w8", "4", "-nfoo", "15", "-k", "11", "-f", "19", "-g", "0", "-h", "1",
                          "-y", "0", "-o", "0", "-c", "0"});
    ASSERT_EQ(result.exit_status, 0) << result.err;
    const std::string params = read_file(dir.file("corrgen_params.v"));
    EXPECT_NE(params.find("`define INPUT_DATA_WIDTH                   4\n"), std::string::npos);
    EXPECT_NE(params.find("`define NUM_TOTAL_SYMBOLS                  4'b1111\n"),
              std::string::npos);
    EXPECT_NE(read_file(dir.file("multiplier.v")).find("assign mult_out[15] = "),
              std::string::npos);
}

TEST(Corrgen, SwitchTakesTheNextArgumentAsItsValueWhateverItIs) {
    TempDir dir;
    write_file(dir.file("header.v"), small_header);
    // -h swallows -n (value 0, refused) and 255 is skipped.
    RunResult result = corrgen(dir, rs255_239 + Args{"-h", "-n", "255"});
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.err, "corrgen: -h -n: alpha^h must generate the field; accepted: 1 or "
                          "more, coprime to 255 (2^m-1)\n");
    // Without an -n elsewhere the swallowed -n leaves the code length missing.
    result = corrgen(dir, Args{"-w", "8", "-k", "239", "-f", "285", "-g", "0", "-h", "-n", "255",
                               "-y", "0", "-o", "0", "-c", "0"});
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.err.substr(0, result.err.find('\n') + 1),
              "corrgen: switch -n is missing; every switch but -e is required\n");
    EXPECT_EQ(list_directory(dir.path()), (std::vector<std::string>{"header.v"}));
}

struct Refusal {
    Args args;
    std::string message;
};

TEST(Corrgen, RefusedSwitchesWriteNothing) {
    const std::string usage = "usage: corrgen -w M -n N -k K -f POLY -g FIRST_ROOT -h "
                              "ROOT_SPACING [-e ERASURES] -y SYNC_MODE -o OPTION_BITS -c CCSDS\n";
    const Args without_c(rs255_239.begin(), rs255_239.end() - 2);
    const std::vector<Refusal> refusals = {
        {without_c, "corrgen: switch -c is missing; every switch but -e is required\n" + usage},
        {without_c + Args{"-c"}, "corrgen: switch -c is the last argument and has no value; "
                                 "accepted: a decimal number after every switch\n"},
        {rs255_239 + Args{"-w", "1"}, "corrgen: -w 1: accepted: 2 to 12 bits per symbol\n"},
        {rs255_239 + Args{"-w", "13"}, "corrgen: -w 13: accepted: 2 to 12 bits per symbol\n"},
        {rs255_239 + Args{"-f", "283"},
         "corrgen: -f 283: not a primitive field polynomial of degree 8; accepted: x^8 plus "
         "lower terms that make alpha generate all 255 non-zero elements, as a number below "
         "512 (285 for m = 8)\n"},
        {rs255_239 + Args{"-f", "797"},
         "corrgen: -f 797: not a primitive field polynomial of degree 8; accepted: x^8 plus "
         "lower terms that make alpha generate all 255 non-zero elements, as a number below "
         "512 (285 for m = 8)\n"},
        {rs255_239 + Args{"-k", "0"}, "corrgen: -k 0: accepted: 1 to 254 (2^m-2) data symbols\n"},
        {rs255_239 + Args{"-k", "255"},
         "corrgen: -k 255: accepted: 1 to 254 (2^m-2) data symbols\n"},
        // k + 1 would overflow: refused before n is compared with it.
        {rs255_239 + Args{"-k", "2147483647"},
         "corrgen: -k 2147483647: accepted: 1 to 254 (2^m-2) data symbols\n"},
        {rs255_239 + Args{"-n", "239"},
         "corrgen: -n 239: accepted: 240 (k+1) to 255 (2^m-1) symbols\n"},
        {rs255_239 + Args{"-n", "256"},
         "corrgen: -n 256: accepted: 240 (k+1) to 255 (2^m-1) symbols\n"},
        {rs255_239 + Args{"-e", "17"}, "corrgen: -e 17: accepted: 0 to 16 (n-k) erasures\n"},
        {rs255_239 + Args{"-e", "-1"}, "corrgen: -e -1: accepted: 0 to 16 (n-k) erasures\n"},
        {rs255_239 + Args{"-n", "241", "-e", "1"},
         "corrgen: -e 1: erasure decoding needs 3 or more check symbols, n-k is 2; "
         "accepted: 0\n"},
        {rs255_239 + Args{"-n", "240"},
         "corrgen: -n 240 -k 239: one check symbol corrects nothing; accepted: n-k of 2 or "
         "more\n"},
        {rs255_239 + Args{"-g", "-1"}, "corrgen: -g -1: accepted: 0 or more\n"},
        {rs255_239 + Args{"-h", "-1"}, "corrgen: -h -1: alpha^h must generate the field; "
                                       "accepted: 1 or more, coprime to 255 (2^m-1)\n"},
        {rs255_239 + Args{"-h", "3"}, "corrgen: -h 3: alpha^h must generate the field; "
                                      "accepted: 1 or more, coprime to 255 (2^m-1)\n"},
        {rs255_239 + Args{"-h", "255"}, "corrgen: -h 255: alpha^h must generate the field; "
                                        "accepted: 1 or more, coprime to 255 (2^m-1)\n"},
        {rs255_239 + Args{"-k", "99999999999"},
         "corrgen: -k 99999999999: beyond the 32-bit integer range\n"},
    };
    for (const Refusal& refusal : refusals) {
        TempDir dir;
        write_file(dir.file("header.v"), small_header);
        write_file(dir.file("synd.v"), "// an earlier run's file\n");
        const RunResult result = corrgen(dir, refusal.args);
        SCOPED_TRACE(refusal.message);
        EXPECT_EQ(result.exit_status, 2);
        EXPECT_EQ(result.err, refusal.message);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(list_directory(dir.path()), (std::vector<std::string>{"header.v", "synd.v"}));
        EXPECT_EQ(read_file(dir.file("synd.v")), "// an earlier run's file\n");
    }
}

TEST(Corrgen, MultiplierThatCannotBeCreatedEndsTheRun) {
    TempDir dir;
    write_file(dir.file("header.v"), small_header);
    std::filesystem::create_directory(dir.file("multiplier.v"));
    const RunResult result = corrgen(dir, rs255_239);
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.err, "Cannot open multiplier.v\n");
    EXPECT_EQ(result.out, "\n \n");
    expect_rs255_239_files(dir, "multiplier.v");
}

TEST(Corrgen, MultiplierOnAFullDiskIsReported) {
    TempDir dir;
    write_file(dir.file("header.v"), small_header);
    ASSERT_EQ(::symlink("/dev/full", dir.file("multiplier.v").c_str()), 0);
    const RunResult result = corrgen(dir, rs255_239);
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.err, "Cannot open multiplier.v\n");
    expect_rs255_239_files(dir, "multiplier.v");
}

} // namespace
} // namespace ipgen::test
