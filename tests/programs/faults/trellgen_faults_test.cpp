// trellgen against a failing file system: parameters.v on a full disk or
// taken by a directory, viterbi_params.v missing, unreadable or a
// directory, a read-only working directory. Messages go to standard output;
// every failure ends with status -1 (255), viterbi_params.v untouched.
#include "fault_support.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

namespace ipgen::test {
namespace {

const int status_minus_one = 255;

std::string user_params() {
    return read_file(data_path("trellgen/parallel_k7/viterbi_params.v"));
}

Entries user_files() {
    return {{"viterbi_params.v", user_params()}};
}

void expect_failed(const RunResult& result, const std::string& message) {
    EXPECT_EQ(result.exit_status, status_minus_one);
    EXPECT_EQ(result.out, message);
    EXPECT_EQ(result.err, "");
}

const std::string not_existed = "Error ! viterbi_params.v not existed\n";
const std::string cannot_create = "Error ! parameters.v cannot be open for write\n";

TEST(TrellgenFaults, ParametersFileOnAFullDisk) {
    TempDir dir;
    write_file(dir.file("viterbi_params.v"), user_params());
    full_disk_at(dir, "parameters.v");
    const RunResult result = run_program(TRELLGEN_PATH, {"0"}, dir.path());
    expect_failed(result, "Error ! parameters.v could not be written completely\n");
    Entries expected = user_files();
    expected["parameters.v"] = full_disk_entry;
    EXPECT_EQ(snapshot(dir.path()), expected);
}

TEST(TrellgenFaults, ParametersFileNameTakenByADirectory) {
    TempDir dir;
    write_file(dir.file("viterbi_params.v"), user_params());
    directory_at(dir, "parameters.v");
    const RunResult result = run_program(TRELLGEN_PATH, {"0"}, dir.path());
    expect_failed(result, cannot_create);
    Entries expected = user_files();
    expected["parameters.v"] = empty_directory_entry;
    EXPECT_EQ(snapshot(dir.path()), expected);
}

TEST(TrellgenFaults, InputMissingUnreadableOrADirectory) {
    {
        TempDir dir;
        expect_failed(run_program(TRELLGEN_PATH, {"0"}, dir.path()), not_existed);
        EXPECT_EQ(snapshot(dir.path()), Entries{});
    }
    {
        TempDir dir;
        write_file(dir.file("viterbi_params.v"), user_params());
        make_unreadable(dir, "viterbi_params.v");
        expect_failed(run_program_confined(TRELLGEN_PATH, {"0"}, dir.path()), not_existed);
        EXPECT_EQ(snapshot(dir.path()), user_files());
    }
    {
        // An endless device is refused after 16 MiB instead of filling the
        // memory.
        TempDir dir;
        ASSERT_EQ(::symlink("/dev/zero", dir.file("viterbi_params.v").c_str()), 0);
        expect_failed(run_program(TRELLGEN_PATH, {"0"}, dir.path()), not_existed);
        EXPECT_EQ(snapshot(dir.path()), (Entries{{"viterbi_params.v", "-> /dev/zero"}}));
    }
    {
        TempDir dir;
        directory_at(dir, "viterbi_params.v");
        expect_failed(run_program(TRELLGEN_PATH, {"0"}, dir.path()), not_existed);
        EXPECT_EQ(snapshot(dir.path()), (Entries{{"viterbi_params.v", empty_directory_entry}}));
    }
}

TEST(TrellgenFaults, ReadOnlyWorkingDirectory) {
    TempDir dir;
    write_file(dir.file("viterbi_params.v"), user_params());
    RunResult result;
    {
        const ReadOnlyDirectory read_only(dir);
        result = run_program_confined(TRELLGEN_PATH, {"0"}, dir.path());
    }
    expect_failed(result, cannot_create);
    EXPECT_EQ(snapshot(dir.path()), user_files());
}

TEST(TrellgenFaults, WriteProtectedEarlierParametersFileIsKept) {
    TempDir dir;
    write_file(dir.file("viterbi_params.v"), user_params());
    write_file(dir.file("parameters.v"), "earlier parameters\n");
    ::chmod(dir.file("parameters.v").c_str(), 0444);
    expect_failed(run_program_confined(TRELLGEN_PATH, {"0"}, dir.path()), cannot_create);
    Entries expected = user_files();
    expected["parameters.v"] = "earlier parameters\n";
    EXPECT_EQ(snapshot(dir.path()), expected);
    // Confinement alone does not stop a run.
    ::chmod(dir.file("parameters.v").c_str(), 0644);
    EXPECT_EQ(run_program_confined(TRELLGEN_PATH, {"0"}, dir.path()).exit_status, 0);
}

// A FIFO in the place of viterbi_params.v or parameters.v is refused at
// once, never waited on.
TEST(TrellgenFaults, FifoInsteadOfAFile) {
    {
        TempDir dir;
        const FifoAt fifo(dir, "viterbi_params.v");
        expect_failed(run_program(TRELLGEN_PATH, {"0"}, dir.path()), not_existed);
        EXPECT_EQ(snapshot(dir.path()), (Entries{{"viterbi_params.v", fifo_entry}}));
    }
    {
        TempDir dir;
        write_file(dir.file("viterbi_params.v"), user_params());
        const FifoAt fifo(dir, "parameters.v");
        expect_failed(run_program(TRELLGEN_PATH, {"0"}, dir.path()), cannot_create);
        Entries expected = user_files();
        expected["parameters.v"] = fifo_entry;
        EXPECT_EQ(snapshot(dir.path()), expected);
    }
}

// Every write fails beyond a file-size limit: the program's message and
// status -1, not death by SIGXFSZ.
TEST(TrellgenFaults, FileSizeLimit) {
    TempDir dir;
    write_file(dir.file("viterbi_params.v"), user_params());
    const RunResult result = run_limited("ulimit -f 0", TRELLGEN_PATH, {"0"}, dir.path());
    EXPECT_EQ(result.out, "Error ! parameters.v could not be written completely\nstatus 255\n");
    Entries expected = user_files();
    expected["parameters.v"] = "";
    EXPECT_EQ(snapshot(dir.path()), expected);
}

} // namespace
} // namespace ipgen::test
