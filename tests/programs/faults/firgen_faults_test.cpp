// firgen against a failing file system: cin.hex, cin_cmplx.hex and
// parameters.v on a full disk or taken by a directory; user_params.txt and
// the decimal coefficient files missing, unreadable, a directory or an
// endless device; a read-only working directory. Messages go to standard
// output; user_params.txt and cin.dec are never changed, and no failing run
// ends with status 0.
#include "fault_support.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

namespace ipgen::test {
namespace {

const int status_minus_one = 255;

// The first worked example with fixed real coefficients: 6 taps, 8 bits.
const std::string user_params = "8 // Tap width\n8 // Coeff width\n6 // Number of taps\n"
                                "19 // Output width\n0 // Filter type\n0 // Coeff loadability\n"
                                "0 // Symmetricity\n0 // Rounding type\n0 // Arithmetic type\n"
                                "0 // Data type\n1 // Number of cycles\n1 // D_RATIO\n"
                                "1 // I_RATIO\n0 // Complex input mode\n";
const std::string cin_dec = "1\n2\n3\n4\n5\n6\n";
const Entries user_files = {{"user_params.txt", user_params}, {"cin.dec", cin_dec}};

// The same with complex data: cin_cmplx.dec holds pairs.
std::string complex_user_params() {
    std::string text = user_params;
    text.replace(text.find("0 // Data type"), 1, "1");
    return text;
}
const std::string cin_cmplx_dec = "1\t-1\n2\t-2\n3\t-3\n4\t-4\n5\t-5\n6\t-6\n";

const std::string no_coefficients =
    "No coefficient values for COEFF_VALUE; parameters.v not written\n";

void put(const TempDir& dir, const Entries& files) {
    for (const auto& [name, content] : files) {
        write_file(dir.file(name), content);
    }
}

Entries with(Entries entries, const Entries& more) {
    for (const auto& [name, content] : more) {
        entries[name] = content;
    }
    return entries;
}

const Entries& complete_run() {
    static const Entries entries = [] {
        TempDir dir;
        put(dir, user_files);
        EXPECT_EQ(run_program(FIRGEN_PATH, {}, dir.path()).exit_status, 0);
        return snapshot(dir.path());
    }();
    return entries;
}

TEST(FirgenFaults, UndisturbedRunWritesBothFiles) {
    EXPECT_EQ(complete_run().size(), 4u);
    TempDir dir;
    put(dir, user_files);
    EXPECT_EQ(run_program_confined(FIRGEN_PATH, {}, dir.path()).exit_status, 0);
    EXPECT_EQ(snapshot(dir.path()), complete_run());
}

// The hex file is read back to pack the coefficients: a full disk there
// leaves no coefficient string and no parameters.v.
TEST(FirgenFaults, HexFileOnAFullDisk) {
    TempDir dir;
    put(dir, user_files);
    full_disk_at(dir, "cin.hex");
    const RunResult result = run_program(FIRGEN_PATH, {}, dir.path());
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.out, "Error writing cin.hex\nError opening cin.hex\n" + no_coefficients);
    EXPECT_EQ(snapshot(dir.path()), with(user_files, {{"cin.hex", full_disk_entry}}));
}

TEST(FirgenFaults, ComplexHexFileOnAFullDisk) {
    TempDir dir;
    const Entries inputs = {{"user_params.txt", complex_user_params()},
                            {"cin_cmplx.dec", cin_cmplx_dec}};
    put(dir, inputs);
    full_disk_at(dir, "cin_cmplx.hex");
    const RunResult result = run_program(FIRGEN_PATH, {}, dir.path());
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.out,
              "Error writing cin_cmplx.hex\nError opening cin_cmplx.hex\n" + no_coefficients);
    EXPECT_EQ(snapshot(dir.path()), with(inputs, {{"cin_cmplx.hex", full_disk_entry}}));
}

TEST(FirgenFaults, ParameterFileOnAFullDiskOrADirectory) {
    {
        TempDir dir;
        put(dir, user_files);
        full_disk_at(dir, "parameters.v");
        const RunResult result = run_program(FIRGEN_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.out, "Error writing parameters.v\n");
        EXPECT_EQ(snapshot(dir.path()), with(user_files, {{"cin.hex", complete_run().at("cin.hex")},
                                                          {"parameters.v", full_disk_entry}}));
    }
    {
        TempDir dir;
        put(dir, user_files);
        directory_at(dir, "parameters.v");
        const RunResult result = run_program(FIRGEN_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.out, "Error opening parameters.v\n");
        EXPECT_EQ(snapshot(dir.path()),
                  with(user_files, {{"cin.hex", complete_run().at("cin.hex")},
                                    {"parameters.v", empty_directory_entry}}));
    }
}

TEST(FirgenFaults, HexFileNameTakenByADirectory) {
    TempDir dir;
    put(dir, user_files);
    directory_at(dir, "cin.hex");
    const RunResult result = run_program(FIRGEN_PATH, {}, dir.path());
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.out, "Error opening cin.hex\nError opening cin.hex\n" + no_coefficients);
    EXPECT_EQ(snapshot(dir.path()), with(user_files, {{"cin.hex", empty_directory_entry}}));
}

// An earlier cin.hex that cannot be rewritten no longer matches cin.dec: the
// run goes on with it, but does not end as a success.
TEST(FirgenFaults, WriteProtectedEarlierHexFileIsNotASuccess) {
    TempDir dir;
    put(dir, user_files);
    const std::string earlier = "0A\n0B\n0C\n0D\n0E\n0F\n";
    write_file(dir.file("cin.hex"), earlier);
    ::chmod(dir.file("cin.hex").c_str(), 0444);
    const RunResult result = run_program_confined(FIRGEN_PATH, {}, dir.path());
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.out, "Error opening cin.hex\n");
    EXPECT_EQ(read_file(dir.file("cin.hex")), earlier);
    EXPECT_EQ(read_file(dir.file("user_params.txt")), user_params);
    EXPECT_EQ(read_file(dir.file("cin.dec")), cin_dec);
}

// Without a readable user_params.txt nothing is written.
TEST(FirgenFaults, UserParameterFileMissingUnreadableOrNotAFile) {
    const std::string message = "Cannot open user defined par for reading\n";
    {
        TempDir dir;
        const RunResult result = run_program(FIRGEN_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, status_minus_one);
        EXPECT_EQ(result.out, message);
        EXPECT_EQ(snapshot(dir.path()), Entries{});
    }
    {
        TempDir dir;
        put(dir, user_files);
        make_unreadable(dir, "user_params.txt");
        const RunResult result = run_program_confined(FIRGEN_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, status_minus_one);
        EXPECT_EQ(result.out, message);
        EXPECT_EQ(snapshot(dir.path()), user_files);
    }
    for (const std::string device : {"/dev/zero", "/dev/full"}) {
        SCOPED_TRACE(device);
        TempDir dir;
        write_file(dir.file("cin.dec"), cin_dec);
        ASSERT_EQ(::symlink(device.c_str(), dir.file("user_params.txt").c_str()), 0);
        const RunResult result = run_program(FIRGEN_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, status_minus_one);
        EXPECT_EQ(result.out, message);
        EXPECT_EQ(snapshot(dir.path()),
                  (Entries{{"cin.dec", cin_dec}, {"user_params.txt", "-> " + device}}));
    }
    {
        TempDir dir;
        directory_at(dir, "user_params.txt");
        const RunResult result = run_program(FIRGEN_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, status_minus_one);
        EXPECT_EQ(result.out, message);
    }
}

// A decimal file that cannot be read is reported; without an earlier
// cin.hex there is nothing to pack.
TEST(FirgenFaults, DecimalFileMissingOrUnreadable) {
    const std::string out = "Error opening cin.dec\nError opening cin.hex\n" + no_coefficients;
    {
        TempDir dir;
        write_file(dir.file("user_params.txt"), user_params);
        const RunResult result = run_program(FIRGEN_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.out, out);
        EXPECT_EQ(snapshot(dir.path()), (Entries{{"user_params.txt", user_params}}));
    }
    {
        TempDir dir;
        put(dir, user_files);
        make_unreadable(dir, "cin.dec");
        const RunResult result = run_program_confined(FIRGEN_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.out, out);
        EXPECT_EQ(snapshot(dir.path()), user_files);
    }
}

TEST(FirgenFaults, ReadOnlyWorkingDirectory) {
    TempDir dir;
    put(dir, user_files);
    RunResult result;
    {
        const ReadOnlyDirectory read_only(dir);
        result = run_program_confined(FIRGEN_PATH, {}, dir.path());
    }
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.out, "Error opening cin.hex\nError opening cin.hex\n" + no_coefficients);
    EXPECT_EQ(snapshot(dir.path()), user_files);
}

// A FIFO in the place of any file is refused at once, never waited on.
TEST(FirgenFaults, FifoInsteadOfAFile) {
    const struct {
        std::string name;
        int status;
        std::string out;
    } cases[] = {
        {"user_params.txt", status_minus_one, "Cannot open user defined par for reading\n"},
        {"cin.dec", 1, "Error opening cin.dec\nError opening cin.hex\n" + no_coefficients},
        {"cin.hex", 1, "Error opening cin.hex\nError opening cin.hex\n" + no_coefficients},
        {"parameters.v", 1, "Error opening parameters.v\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        Entries inputs = user_files;
        inputs.erase(c.name);
        put(dir, inputs);
        const FifoAt fifo(dir, c.name);
        const RunResult result = run_program(FIRGEN_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, c.status);
        EXPECT_EQ(result.out, c.out);
        Entries expected = with(inputs, {{c.name, fifo_entry}});
        if (c.name == "parameters.v") {
            expected["cin.hex"] = complete_run().at("cin.hex");
        }
        EXPECT_EQ(snapshot(dir.path()), expected);
    }
}

// Widths the parameter file cannot carry: refused with status 2, nothing
// written.
TEST(FirgenFaults, WidthsItCannotWriteAreRefused) {
    const auto refused = [](int line, const std::string& value, bool loadable) {
        std::string user = user_params;
        if (loadable) {
            user.replace(user.find("0 // Coeff loadability"), 1, "1");
        }
        std::size_t at = 0;
        for (int i = 1; i < line; ++i) {
            at = user.find('\n', at) + 1;
        }
        user.replace(at, user.find(' ', at) - at, value);
        TempDir dir;
        put(dir, {{"user_params.txt", user}, {"cin.dec", cin_dec}});
        const RunResult result = run_program(FIRGEN_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, 2);
        EXPECT_EQ(snapshot(dir.path()), (Entries{{"user_params.txt", user}, {"cin.dec", cin_dec}}));
        return result.out;
    };
    EXPECT_EQ(refused(4, "0", false), "firgen: user_params.txt line 4 (Output width): 0; accepted: "
                                      "1 or more (bits of output data)\n");
    EXPECT_EQ(refused(2, "-3", true), "firgen: user_params.txt line 2 (Coeff width): -3; accepted: "
                                      "1 or more (bits of input data)\n");
    EXPECT_EQ(refused(2, "1073741824", true),
              "firgen: user_params.txt: TAO_WIDTH 6442450944; accepted: derived widths and counts "
              "up to 2147483647 (32-bit): fewer taps or narrower data\n");
}

// Every write fails beyond a file-size limit: reported, status 1, not
// death by SIGXFSZ.
TEST(FirgenFaults, FileSizeLimit) {
    TempDir dir;
    put(dir, user_files);
    const RunResult result = run_limited("ulimit -f 0", FIRGEN_PATH, {}, dir.path());
    EXPECT_EQ(result.out, "Error writing cin.hex\nError reading cin.hex: no hexadecimal "
                          "coefficient on line 1; 6 needed\n" +
                              no_coefficients + "status 1\n");
    EXPECT_EQ(snapshot(dir.path()), with(user_files, {{"cin.hex", ""}}));
}

// Out of memory (here while a large parameter file is read): one line and
// status 1, not an uncaught std::bad_alloc and SIGABRT.
TEST(FirgenFaults, OutOfMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
    TempDir dir;
    write_file(dir.file("user_params.txt"), "8 //" + std::string(std::size_t{15} << 20, 'x'));
    const RunResult result = run_limited("ulimit -v 20000", FIRGEN_PATH, {}, dir.path());
    EXPECT_EQ(result.out, "firgen: out of memory\nstatus 1\n");
    EXPECT_EQ(list_directory(dir.path()), std::vector<std::string>{"user_params.txt"});
}

} // namespace
} // namespace ipgen::test
