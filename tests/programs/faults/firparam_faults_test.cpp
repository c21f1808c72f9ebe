// firparam against a failing file system: user_params.txt, cin.hex and
// parameters.v on a full disk or taken by a directory; user_params.txt
// unreadable, write-protected or a link; cin.dec missing; a read-only
// working directory. user_params.txt is only ever replaced whole (a
// temporary file renamed over it): a failing run leaves it as it was, and
// no failing run ends with status 0.
#include "fault_support.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

namespace ipgen::test {
namespace {

// The defaults as firparam writes them, with fixed real coefficients.
const std::string user_params = "8   // Tap width\n"
                                "8   // Coeff width\n"
                                "6   // Number of taps\n"
                                "19   // Output width\n"
                                "0   // Filter type: 0-single, 1-multi, 2-deci, 3-inter\n"
                                "0   // Coeff loadability: 0-fixed, 1-loadable\n"
                                "0   // Symmetricity: 0-none, 1-even, 2-odd\n"
                                "0   // Rounding type: 0-truncation, 1-nearest\n"
                                "0   // Arithmetic type: 0-signed, 1-unsigned\n"
                                "0   // Data type: 0-real, 1-complex\n"
                                "1   // Number of cycles (MULTICYCLE)\n"
                                "1   // D_RATIO (DECIMATION)\n"
                                "1   // I_RATIO (INTERPOLATION)\n"
                                "0   // Complex input mode: 0-parallel, 1-serial\n";
// A hand-edited file with the same values: a rewrite is visible.
const std::string hand_edited = "8 // taps\n8\n6\n19\n0\n0\n0\n0\n0\n0\n1\n1\n1\n0\n";
const std::string cin_dec = "1\n2\n3\n4\n5\n6\n";
const Entries user_files = {{"user_params.txt", hand_edited}, {"cin.dec", cin_dec}};

const std::string defaults_message = "Error opening user params file\n"
                                     "Creating file with default values ...\n";
const std::string cannot_write_user_file = "Error opening user params file for writing\n";
const std::string success = "Design parameter file (parameters.v) generated successfully!\n";

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
        const RunResult result = run_program(FIRPARAM_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, 0);
        EXPECT_EQ(result.out, success);
        return snapshot(dir.path());
    }();
    return entries;
}

TEST(FirparamFaults, UndisturbedRunRewritesTheUserFile) {
    EXPECT_EQ(complete_run().at("user_params.txt"), user_params);
    EXPECT_EQ(complete_run().size(), 4u); // cin.dec, cin.hex, parameters.v, user_params.txt
    TempDir dir;
    put(dir, user_files);
    EXPECT_EQ(run_program_confined(FIRPARAM_PATH, {}, dir.path()).exit_status, 0);
    EXPECT_EQ(snapshot(dir.path()), complete_run());
}

// A user file that exists but cannot be read gives the defaults (as a
// missing one does), but it is not replaced by them.
TEST(FirparamFaults, UnreadableUserFileIsNotReplaced) {
    TempDir dir;
    put(dir, user_files);
    make_unreadable(dir, "user_params.txt");
    const RunResult result = run_program_confined(FIRPARAM_PATH, {}, dir.path());
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.out,
              defaults_message + cannot_write_user_file + success + cannot_write_user_file);
    EXPECT_EQ(snapshot(dir.path()), with(complete_run(), {{"user_params.txt", hand_edited}}));
}

TEST(FirparamFaults, WriteProtectedUserFileIsKept) {
    TempDir dir;
    put(dir, user_files);
    ::chmod(dir.file("user_params.txt").c_str(), 0444);
    const RunResult result = run_program_confined(FIRPARAM_PATH, {}, dir.path());
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.out, cannot_write_user_file + success + cannot_write_user_file);
    EXPECT_EQ(snapshot(dir.path()), with(complete_run(), {{"user_params.txt", hand_edited}}));
}

// The link stays; the file it leads to is replaced.
TEST(FirparamFaults, LinkedUserFileIsRewrittenThroughTheLink) {
    TempDir dir;
    TempDir elsewhere;
    write_file(elsewhere.file("user_params.txt"), hand_edited);
    write_file(dir.file("cin.dec"), cin_dec);
    ASSERT_EQ(
        ::symlink(elsewhere.file("user_params.txt").c_str(), dir.file("user_params.txt").c_str()),
        0);
    const RunResult result = run_program(FIRPARAM_PATH, {}, dir.path());
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.out, success);
    EXPECT_EQ(
        snapshot(dir.path()),
        with(complete_run(), {{"user_params.txt", "-> " + elsewhere.file("user_params.txt")}}));
    EXPECT_EQ(snapshot(elsewhere.path()), (Entries{{"user_params.txt", user_params}}));
}

// user_params.txt on a full disk or taken by a directory: it cannot be
// read (defaults) nor replaced; the entry stays as it was.
TEST(FirparamFaults, UserFileOnAFullDiskOrADirectory) {
    struct Fault {
        void (*make)(const TempDir&, const std::string&);
        std::string entry;
    };
    for (const Fault& fault :
         {Fault{full_disk_at, full_disk_entry}, Fault{directory_at, empty_directory_entry}}) {
        SCOPED_TRACE(fault.entry);
        TempDir dir;
        write_file(dir.file("cin.dec"), cin_dec);
        fault.make(dir, "user_params.txt");
        const RunResult result = run_program(FIRPARAM_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.out,
                  defaults_message + cannot_write_user_file + success + cannot_write_user_file);
        EXPECT_EQ(snapshot(dir.path()), with(complete_run(), {{"user_params.txt", fault.entry}}));
    }
}

TEST(FirparamFaults, ParameterFileOnAFullDiskOrADirectory) {
    {
        TempDir dir;
        put(dir, user_files);
        full_disk_at(dir, "parameters.v");
        const RunResult result = run_program(FIRPARAM_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.out, "Error writing parameters.v\n");
        EXPECT_EQ(snapshot(dir.path()), with(complete_run(), {{"parameters.v", full_disk_entry}}));
    }
    {
        TempDir dir;
        put(dir, user_files);
        directory_at(dir, "parameters.v");
        const RunResult result = run_program(FIRPARAM_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.out, "Error opening file for writing\n");
        EXPECT_EQ(snapshot(dir.path()),
                  with(complete_run(), {{"parameters.v", empty_directory_entry}}));
    }
}

TEST(FirparamFaults, HexFileOnAFullDiskOrADirectory) {
    struct Fault {
        void (*make)(const TempDir&, const std::string&);
        std::string entry;
        std::string message;
    };
    for (const Fault& fault :
         {Fault{full_disk_at, full_disk_entry, "Error writing cin.hex\n"},
          Fault{directory_at, empty_directory_entry, "Error opening cin.hex\n"}}) {
        const auto& [make, entry, message] = fault;
        SCOPED_TRACE(entry);
        TempDir dir;
        put(dir, user_files);
        make(dir, "cin.hex");
        const RunResult result = run_program(FIRPARAM_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.out.substr(0, message.size()), message) << result.out;
        const Entries after = snapshot(dir.path());
        EXPECT_EQ(after.at("cin.hex"), entry);
        EXPECT_EQ(after.at("user_params.txt"), user_params);
        EXPECT_EQ(after.at("cin.dec"), cin_dec);
    }
}

TEST(FirparamFaults, ReadOnlyWorkingDirectory) {
    TempDir dir;
    put(dir, user_files);
    RunResult result;
    {
        const ReadOnlyDirectory read_only(dir);
        result = run_program_confined(FIRPARAM_PATH, {}, dir.path());
    }
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.out.substr(0, cannot_write_user_file.size()), cannot_write_user_file)
        << result.out;
    EXPECT_EQ(snapshot(dir.path()), user_files);
}

} // namespace
} // namespace ipgen::test
