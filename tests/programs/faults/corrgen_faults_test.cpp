// corrgen against a failing file system: every output on a full disk or
// taken by a directory, header.v missing, unreadable or a directory, a
// read-only working directory. Each ends with "Cannot open <name>" and
// status 1, header.v untouched, and nothing written after the failure.
#include "fault_support.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

namespace ipgen::test {
namespace {

using Args = std::vector<std::string>;

// GF(16), RS(15,11): every writer runs, and quickly.
const Args rs15_11 = {"-w", "4", "-n", "15", "-k", "11", "-f", "19", "-g", "0",
                      "-h", "1", "-e", "2",  "-y", "0",  "-o", "0",  "-c", "0"};

// In the order corrgen writes them.
const std::vector<std::string> outputs = {
    "gfinvrom.v",    "gfromxp.v", "gfile",  "corrgen_params.v", "mastrovito.v",
    "chiensearch.v", "errmag.v",  "synd.v", "multiplier.v",
};

const std::string header = "// user's banner, kept verbatim\n";
const Entries user_files = {{"header.v", header}};

// The files of a run that nothing disturbed.
const Entries& complete_run() {
    static const Entries entries = [] {
        TempDir dir;
        write_file(dir.file("header.v"), header);
        const RunResult result = run_program(CORRGEN_PATH, rs15_11, dir.path());
        EXPECT_EQ(result.exit_status, 0);
        return snapshot(dir.path());
    }();
    return entries;
}

TEST(CorrgenFaults, UndisturbedRunWritesEveryFile) {
    EXPECT_EQ(complete_run().size(), outputs.size() + 1);
    // The confined start changes nothing for a directory it may write.
    TempDir dir;
    write_file(dir.file("header.v"), header);
    const RunResult result = run_program_confined(CORRGEN_PATH, rs15_11, dir.path());
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(snapshot(dir.path()), complete_run());
}

// Each output in turn on a full disk (the write fails when the file is
// flushed) and taken by a directory (it cannot be created).
TEST(CorrgenFaults, EachOutputOnAFullDiskOrTakenByADirectory) {
    struct Fault {
        void (*make)(const TempDir&, const std::string&);
        std::string entry;
    };
    for (const Fault& fault :
         {Fault{full_disk_at, full_disk_entry}, Fault{directory_at, empty_directory_entry}}) {
        for (size_t i = 0; i < outputs.size(); ++i) {
            SCOPED_TRACE(outputs[i] + " " + fault.entry);
            TempDir dir;
            write_file(dir.file("header.v"), header);
            fault.make(dir, outputs[i]);
            const RunResult result = run_program(CORRGEN_PATH, rs15_11, dir.path());
            EXPECT_EQ(result.exit_status, 1);
            EXPECT_EQ(result.err, "Cannot open " + outputs[i] + "\n");
            EXPECT_EQ(snapshot(dir.path()),
                      entries_after_stop(user_files, complete_run(), outputs, i, fault.entry));
        }
    }
}

// The header is read first while the inverse ROM is open: that file stays
// empty and nothing else is written.
TEST(CorrgenFaults, HeaderMissingUnreadableOrADirectory) {
    {
        TempDir dir;
        const RunResult result = run_program(CORRGEN_PATH, rs15_11, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.err, "Cannot open header.v\n");
        EXPECT_EQ(snapshot(dir.path()), (Entries{{"gfinvrom.v", ""}}));
    }
    {
        TempDir dir;
        write_file(dir.file("header.v"), header);
        make_unreadable(dir, "header.v");
        const RunResult result = run_program_confined(CORRGEN_PATH, rs15_11, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.err, "Cannot open header.v\n");
        EXPECT_EQ(snapshot(dir.path()), (Entries{{"gfinvrom.v", ""}, {"header.v", header}}));
    }
    {
        TempDir dir;
        directory_at(dir, "header.v");
        const RunResult result = run_program(CORRGEN_PATH, rs15_11, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.err, "Cannot open header.v\n");
        EXPECT_EQ(snapshot(dir.path()),
                  (Entries{{"gfinvrom.v", ""}, {"header.v", empty_directory_entry}}));
    }
}

TEST(CorrgenFaults, ReadOnlyWorkingDirectory) {
    TempDir dir;
    write_file(dir.file("header.v"), header);
    RunResult result;
    {
        const ReadOnlyDirectory read_only(dir);
        result = run_program_confined(CORRGEN_PATH, rs15_11, dir.path());
    }
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.err, "Cannot open gfinvrom.v\n");
    EXPECT_EQ(snapshot(dir.path()), user_files);
}

// A write-protected file from an earlier run stops the run there and keeps
// its content.
TEST(CorrgenFaults, WriteProtectedEarlierOutputIsKept) {
    TempDir dir;
    write_file(dir.file("header.v"), header);
    write_file(dir.file("gfile"), "earlier gfile\n");
    ::chmod(dir.file("gfile").c_str(), 0444);
    const RunResult result = run_program_confined(CORRGEN_PATH, rs15_11, dir.path());
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.err, "Cannot open gfile\n");
    EXPECT_EQ(read_file(dir.file("gfile")), "earlier gfile\n");
    EXPECT_EQ(read_file(dir.file("header.v")), header);
    EXPECT_FALSE(file_exists(dir.file("corrgen_params.v")));
}

// A FIFO in the place of the header or of any output is refused at once,
// never waited on: as "cannot open", the files before it complete.
TEST(CorrgenFaults, FifoInsteadOfAFile) {
    {
        TempDir dir;
        const FifoAt fifo(dir, "header.v");
        const RunResult result = run_program(CORRGEN_PATH, rs15_11, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.err, "Cannot open header.v\n");
        EXPECT_EQ(snapshot(dir.path()), (Entries{{"gfinvrom.v", ""}, {"header.v", fifo_entry}}));
    }
    for (size_t i = 0; i < outputs.size(); ++i) {
        SCOPED_TRACE(outputs[i]);
        TempDir dir;
        write_file(dir.file("header.v"), header);
        const FifoAt fifo(dir, outputs[i]);
        const RunResult result = run_program(CORRGEN_PATH, rs15_11, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.err, "Cannot open " + outputs[i] + "\n");
        EXPECT_EQ(snapshot(dir.path()),
                  entries_after_stop(user_files, complete_run(), outputs, i, fifo_entry));
    }
}

// A header beyond the 16 MiB cap counts as unusable before a byte of it is
// copied: the inverse ROM stays empty, as for a missing header.
TEST(CorrgenFaults, HeaderBeyondTheCap) {
    TempDir dir;
    sparse_file_at(dir, "header.v", beyond_input_cap);
    const RunResult result = run_program(CORRGEN_PATH, rs15_11, dir.path());
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.err, "Cannot open header.v\n");
    EXPECT_EQ(list_directory(dir.path()), (std::vector<std::string>{"gfinvrom.v", "header.v"}));
    EXPECT_EQ(read_file(dir.file("gfinvrom.v")), "");
}

// Every write fails beyond a file-size limit: "Cannot open" for the first
// file and status 1, not death by SIGXFSZ.
TEST(CorrgenFaults, FileSizeLimit) {
    TempDir dir;
    write_file(dir.file("header.v"), header);
    const RunResult result = run_limited("ulimit -f 0", CORRGEN_PATH, rs15_11, dir.path());
    EXPECT_EQ(result.out, "Cannot open gfinvrom.v\nstatus 1\n");
    EXPECT_EQ(snapshot(dir.path()), (Entries{{"header.v", header}, {"gfinvrom.v", ""}}));
}

// Control characters of an echoed argument are shown as escapes, never sent
// to the terminal.
TEST(CorrgenFaults, ControlCharactersOfArgumentsAreEscaped) {
    TempDir dir;
    Args args = rs15_11;
    args.insert(args.begin(), "-\x1b]0;title\x07"); // would set the terminal's title
    args[4] = "\x01\r";                             // the value of -n
    const RunResult result = run_program(CORRGEN_PATH, args, dir.path());
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.err, "Unknown switch -\\x1b]0;title\\x07\n"
                          "corrgen: -n \\x01\\r: accepted: 12 (k+1) to 15 (2^m-1) symbols\n");
    EXPECT_EQ(snapshot(dir.path()), Entries{});
}

} // namespace
} // namespace ipgen::test
