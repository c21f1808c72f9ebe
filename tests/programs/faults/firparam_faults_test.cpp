// firparam against a failing file system: user_params.txt, cin.hex and
// parameters.v on a full disk, taken by a directory or a FIFO, beyond a
// file-size limit; user_params.txt unreadable, too large, write-protected
// or a link; cin.dec missing or a FIFO; a read-only working directory;
// choices outside their tables; two runs at once; interrupted runs. user_params.txt is only ever
// replaced whole (a temporary file renamed over it): a failing run leaves it as it was, and no
// failing run ends with status 0.
#include "fault_support.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

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

// Starts the program in `directory` and sends it `signal_number` after
// `delay`; its output goes to /dev/null.
RunResult run_interrupted(const std::string& program, const std::string& directory,
                          int signal_number, std::chrono::microseconds delay) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    RunResult result;
    if (spawned != 0) {
        return result;
    }
    std::this_thread::sleep_for(delay);
    ::kill(pid, signal_number);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status)) {
        result.exit_status = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    return result;
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

// Only a user file that does not exist gets the defaults. One that exists
// but cannot be read (no read permission, over the size cap, not a regular
// file: a device, a directory, a FIFO) ends the run with its cause, status
// 1, and nothing written: the user's values are not lost.
TEST(FirparamFaults, UserFileThatCannotBeReadIsKept) {
    const auto cannot_read = [](const std::string& cause) {
        return "Error reading user_params.txt: " + cause + "; the file is left as it is\n";
    };
    {
        TempDir dir;
        put(dir, user_files);
        make_unreadable(dir, "user_params.txt");
        const RunResult result = run_program_confined(FIRPARAM_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.out, cannot_read("Permission denied"));
        ::chmod(dir.file("user_params.txt").c_str(), 0644);
        EXPECT_EQ(snapshot(dir.path()), user_files);
    }
    {
        TempDir dir;
        write_file(dir.file("cin.dec"), cin_dec);
        sparse_file_at(dir, "user_params.txt", beyond_input_cap);
        const RunResult result = run_program(FIRPARAM_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.out, cannot_read("larger than 16 MiB"));
        EXPECT_EQ(list_directory(dir.path()),
                  (std::vector<std::string>{"cin.dec", "user_params.txt"}));
    }
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
        EXPECT_EQ(result.out, cannot_read("not a regular file"));
        EXPECT_EQ(snapshot(dir.path()),
                  (Entries{{"cin.dec", cin_dec}, {"user_params.txt", fault.entry}}));
    }
}

// A FIFO in the place of any file is refused at once, never waited on.
TEST(FirparamFaults, FifoInsteadOfAFile) {
    {
        TempDir dir;
        write_file(dir.file("cin.dec"), cin_dec);
        const FifoAt fifo(dir, "user_params.txt");
        const RunResult result = run_program(FIRPARAM_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.out,
                  "Error reading user_params.txt: not a regular file; the file is left as it is\n");
        EXPECT_EQ(snapshot(dir.path()),
                  (Entries{{"cin.dec", cin_dec}, {"user_params.txt", fifo_entry}}));
    }
    {
        // cin.dec as if it were missing: the numbered default coefficients.
        TempDir dir;
        write_file(dir.file("user_params.txt"), hand_edited);
        const FifoAt fifo(dir, "cin.dec");
        const RunResult result = run_program(FIRPARAM_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, 0);
        EXPECT_EQ(result.out, "Error opening cin.dec\nError reading coeff hex file: cin.hex; Using "
                              "default coeff values\n" +
                                  success);
    }
    for (const std::string output : {"cin.hex", "parameters.v"}) {
        SCOPED_TRACE(output);
        TempDir dir;
        put(dir, user_files);
        const FifoAt fifo(dir, output);
        const RunResult result = run_program(FIRPARAM_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.out, output == "cin.hex" ? "Error opening cin.hex\n" + success
                                                  : "Error opening file for writing\n");
        EXPECT_EQ(snapshot(dir.path()), with(complete_run(), {{output, fifo_entry}}));
    }
}

// A choice outside its table (lines 5 to 10 and 14) has no define: refused
// before anything is written, the user's file untouched.
TEST(FirparamFaults, ChoicesOutsideTheirTablesAreRefused) {
    const struct {
        std::string comment;
        std::string value;
        std::string message;
    } cases[] = {
        {"// Filter type", "7",
         "line 5 (Filter type): 7; accepted: 0 to 3 (0 SINGLECYCLE_FIR, 1 MULTICYCLE_FIR, 2 "
         "DECIMATION_FIR, 3 INTERPOLATION_FIR)"},
        {"// Coeff loadability", "2",
         "line 6 (Coeff loadability): 2; accepted: 0 to 1 (0 "
         "COEFF_DEFAULT, 1 COEFF_LOAD)"},
        {"// Symmetricity", "3",
         "line 7 (Symmetricity): 3; accepted: 0 to 2 (0 "
         "NONSYMMETRIC_COEFF, 1 SYMMETRIC_COEFF, 2 ANTISYMMETRIC_COEFF)"},
        {"// Rounding type", "-1",
         "line 8 (Rounding type): -1; accepted: 0 to 1 (0 "
         "ROUND_TRUNCATION, 1 ROUND_NEAREST)"},
        {"// Arithmetic type", "2",
         "line 9 (Arithmetic type): 2; accepted: 0 to 1 (0 SIGNED, 1 UNSIGNED)"},
        {"// Data type", "2",
         "line 10 (Data type): 2; accepted: 0 to 1 (0 REAL_DATA_TYPE, 1 "
         "COMPLEX_DATA_TYPE)"},
        {"// Complex input mode", "9",
         "line 14 (Complex input mode): 9; accepted: 0 to 1 (0 "
         "COMPLEX_PARA_IN, 1 COMPLEX_SERI_IN)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.comment);
        std::string user = user_params;
        const std::size_t at = user.find(c.comment) - 4;
        user.replace(at, 1, c.value);
        TempDir dir;
        put(dir, {{"user_params.txt", user}, {"cin.dec", cin_dec}});
        const RunResult result = run_program(FIRPARAM_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, 2);
        EXPECT_EQ(result.out, "firparam: user_params.txt " + c.message + "\n");
        EXPECT_EQ(snapshot(dir.path()), (Entries{{"user_params.txt", user}, {"cin.dec", cin_dec}}));
    }
}

// Two runs in one folder at the same time: each writes cin.hex through a
// temporary file and takes its coefficients from its own conversion, so
// neither reads the other's half-written file; both succeed with the same
// complete files, and no temporary file is left.
TEST(FirparamFaults, ConcurrentRunsInOneFolder) {
    TempDir dir;
    put(dir, user_files);
    for (int round = 0; round < 150; ++round) {
        RunResult first;
        std::thread other([&] { first = run_program(FIRPARAM_PATH, {}, dir.path()); });
        const RunResult second = run_program(FIRPARAM_PATH, {}, dir.path());
        other.join();
        ASSERT_EQ(first.exit_status, 0) << "round " << round << ": " << first.out;
        ASSERT_EQ(second.exit_status, 0) << "round " << round << ": " << second.out;
        ASSERT_EQ(first.out, success);
        ASSERT_EQ(second.out, success);
        ASSERT_EQ(snapshot(dir.path()), complete_run()) << "round " << round;
    }
}

// Every write fails beyond a file-size limit: the run reports each failed
// write, keeps the user's file and ends with status 1, not by SIGXFSZ.
TEST(FirparamFaults, FileSizeLimit) {
    TempDir dir;
    put(dir, user_files);
    const RunResult result = run_limited("ulimit -f 0", FIRPARAM_PATH, {}, dir.path());
    EXPECT_EQ(result.out, cannot_write_user_file + "Error writing cin.hex\n" +
                              "Error writing parameters.v\n" + cannot_write_user_file +
                              "status 1\n");
    EXPECT_EQ(snapshot(dir.path()), with(user_files, {{"parameters.v", ""}}));
}

// SIGINT, SIGTERM or SIGHUP in the middle of a run: the temporary files of
// user_params.txt and cin.hex are removed before the run ends with the
// signal, and the files it replaces are whole (old or new).
TEST(FirparamFaults, InterruptedRunsLeaveNoTemporaryFile) {
    TempDir dir;
    put(dir, user_files);
    const int signals[] = {SIGINT, SIGTERM, SIGHUP};
    int interrupted = 0;
    for (int round = 0; round < 300; ++round) {
        const int signal_number = signals[round % 3];
        const RunResult result = run_interrupted(FIRPARAM_PATH, dir.path(), signal_number,
                                                 std::chrono::microseconds(50 * (round % 40)));
        EXPECT_TRUE(result.exit_status == 0 || result.signal == signal_number)
            << "round " << round << ": status " << result.exit_status << ", signal "
            << result.signal;
        interrupted += result.signal != 0 ? 1 : 0;
        const Entries after = snapshot(dir.path());
        for (const auto& [name, content] : after) {
            ASSERT_EQ(name.rfind('.', 0), std::string::npos) << "round " << round << ": " << name;
        }
        ASSERT_TRUE(after.at("user_params.txt") == user_params ||
                    after.at("user_params.txt") == hand_edited);
    }
    EXPECT_GT(interrupted, 0);
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

// cin.hex is replaced only when it is a regular file (or a link to one):
// a link to a device or a directory stays as it is. The run's parameters.v
// takes the coefficients it converted all the same.
TEST(FirparamFaults, HexFileLinkedToADeviceOrADirectory) {
    for (const auto make : {full_disk_at, directory_at}) {
        TempDir dir;
        put(dir, user_files);
        make(dir, "cin.hex");
        const Entries before = snapshot(dir.path());
        const RunResult result = run_program(FIRPARAM_PATH, {}, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.out, "Error opening cin.hex\n" + success);
        EXPECT_EQ(snapshot(dir.path()), with(complete_run(), {{"cin.hex", before.at("cin.hex")}}));
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
