// paritygen against a failing file system, in both multiplier styles: each
// output (the intermediate mult_temp.v included) on a full disk or taken by
// a directory, header.v missing, unreadable or a directory, a read-only
// working directory. Each ends with "Cannot open <name>" and status 1,
// header.v untouched, and nothing written after the failure.
#include "fault_support.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

namespace ipgen::test {
namespace {

using Args = std::vector<std::string>;

Args rs15_11(const std::string& style) {
    return {"-n", "15", "-k", "11", "-w", "4", "-f", "19", "-g", "0",
            "-h", "1",  "-p", "1",  "-t", "0", "-c", "0",  "-a", style};
}
const Args shared = rs15_11("1");
const Args plain = rs15_11("0");

const std::string header = "// user's banner, kept verbatim\n";
const Entries user_files = {{"header.v", header}};

Entries complete_run(const Args& args) {
    TempDir dir;
    write_file(dir.file("header.v"), header);
    const RunResult result = run_program(PARITYGEN_PATH, args, dir.path());
    EXPECT_EQ(result.exit_status, 0);
    return snapshot(dir.path());
}

// The entries after a run that stopped with `stopped_at`: the user's files,
// `complete` outputs as in an undisturbed run, `faulty` as made, and the
// `partial` files only checked for being there.
void expect_stopped(const TempDir& dir, const RunResult& result, const std::string& stopped_at,
                    const Entries& reference, const std::vector<std::string>& complete,
                    const Entries& faulty, const std::vector<std::string>& partial = {}) {
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.err, "Cannot open " + stopped_at + "\n");
    Entries expected = user_files;
    for (const std::string& name : complete) {
        expected[name] = reference.at(name);
    }
    expected.insert(faulty.begin(), faulty.end());
    Entries actual = snapshot(dir.path());
    for (const std::string& name : partial) {
        EXPECT_EQ(actual.erase(name), 1u) << name;
    }
    EXPECT_EQ(actual, expected);
}

using Fault = void (*)(const TempDir&, const std::string&);

RunResult run_with(const TempDir& dir, const Args& args, Fault fault, const std::string& name) {
    write_file(dir.file("header.v"), header);
    fault(dir, name);
    return run_program(PARITYGEN_PATH, args, dir.path());
}

TEST(ParitygenFaults, UndisturbedRunsWriteEveryFile) {
    EXPECT_EQ(complete_run(shared).size(), 5u); // with mult_temp.v
    EXPECT_EQ(complete_run(plain).size(), 4u);
    TempDir dir;
    write_file(dir.file("header.v"), header);
    EXPECT_EQ(run_program_confined(PARITYGEN_PATH, shared, dir.path()).exit_status, 0);
    EXPECT_EQ(snapshot(dir.path()), complete_run(shared));
}

// The shared style creates multiplier.v, then mult_temp.v, writes the
// assignments into the latter and appends it; a failure in mult_temp.v
// leaves multiplier.v unfinished (and the status 1 says so).
TEST(ParitygenFaults, EachOutputOnAFullDiskSharedStyle) {
    const Entries reference = complete_run(shared);
    struct Case {
        std::string name;
        std::vector<std::string> complete;
        std::vector<std::string> partial;
    };
    const std::vector<Case> cases = {
        {"gfile", {}, {}},
        {"multiplier.v", {"gfile", "mult_temp.v"}, {}},
        {"mult_temp.v", {"gfile"}, {"multiplier.v"}},
        {"rsenc_params.v", {"gfile", "multiplier.v", "mult_temp.v"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const RunResult result = run_with(dir, shared, full_disk_at, c.name);
        expect_stopped(dir, result, c.name, reference, c.complete, {{c.name, full_disk_entry}},
                       c.partial);
    }
}

TEST(ParitygenFaults, EachOutputOnAFullDiskPlainStyle) {
    const Entries reference = complete_run(plain);
    const std::vector<std::string> order = {"gfile", "multiplier.v", "rsenc_params.v"};
    for (size_t i = 0; i < order.size(); ++i) {
        SCOPED_TRACE(order[i]);
        TempDir dir;
        const RunResult result = run_with(dir, plain, full_disk_at, order[i]);
        expect_stopped(dir, result, order[i], reference,
                       std::vector<std::string>(order.begin(), order.begin() + i),
                       {{order[i], full_disk_entry}});
    }
}

TEST(ParitygenFaults, EachOutputNameTakenByADirectory) {
    const Entries reference = complete_run(shared);
    const Entries plain_reference = complete_run(plain);
    {
        TempDir dir;
        const RunResult result = run_with(dir, shared, directory_at, "gfile");
        expect_stopped(dir, result, "gfile", reference, {}, {{"gfile", empty_directory_entry}});
    }
    {
        TempDir dir;
        const RunResult result = run_with(dir, shared, directory_at, "multiplier.v");
        expect_stopped(dir, result, "multiplier.v", reference, {"gfile"},
                       {{"multiplier.v", empty_directory_entry}});
    }
    {
        // multiplier.v was created just before and stays empty.
        TempDir dir;
        const RunResult result = run_with(dir, shared, directory_at, "mult_temp.v");
        expect_stopped(dir, result, "mult_temp.v", reference, {"gfile"},
                       {{"mult_temp.v", empty_directory_entry}, {"multiplier.v", ""}});
    }
    {
        TempDir dir;
        const RunResult result = run_with(dir, shared, directory_at, "rsenc_params.v");
        expect_stopped(dir, result, "rsenc_params.v", reference,
                       {"gfile", "multiplier.v", "mult_temp.v"},
                       {{"rsenc_params.v", empty_directory_entry}});
    }
    {
        TempDir dir;
        const RunResult result = run_with(dir, plain, directory_at, "multiplier.v");
        expect_stopped(dir, result, "multiplier.v", plain_reference, {"gfile"},
                       {{"multiplier.v", empty_directory_entry}});
    }
}

// gfile carries no header, so the header is first read for multiplier.v:
// gfile is complete, the multiplier file(s) created and empty.
TEST(ParitygenFaults, HeaderMissingUnreadableOrADirectory) {
    const Entries reference = complete_run(shared);
    {
        TempDir dir;
        const RunResult result = run_program(PARITYGEN_PATH, shared, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.err, "Cannot open header.v\n");
        EXPECT_EQ(
            snapshot(dir.path()),
            (Entries{{"gfile", reference.at("gfile")}, {"multiplier.v", ""}, {"mult_temp.v", ""}}));
    }
    {
        TempDir dir;
        write_file(dir.file("header.v"), header);
        make_unreadable(dir, "header.v");
        const RunResult result = run_program_confined(PARITYGEN_PATH, plain, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.err, "Cannot open header.v\n");
        EXPECT_EQ(snapshot(dir.path()), (Entries{{"gfile", reference.at("gfile")},
                                                 {"multiplier.v", ""},
                                                 {"header.v", header}}));
    }
    {
        TempDir dir;
        directory_at(dir, "header.v");
        const RunResult result = run_program(PARITYGEN_PATH, plain, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.err, "Cannot open header.v\n");
        EXPECT_EQ(snapshot(dir.path()), (Entries{{"gfile", reference.at("gfile")},
                                                 {"multiplier.v", ""},
                                                 {"header.v", empty_directory_entry}}));
    }
}

TEST(ParitygenFaults, ReadOnlyWorkingDirectory) {
    TempDir dir;
    write_file(dir.file("header.v"), header);
    RunResult result;
    {
        const ReadOnlyDirectory read_only(dir);
        result = run_program_confined(PARITYGEN_PATH, shared, dir.path());
    }
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.err, "Cannot open gfile\n");
    EXPECT_EQ(snapshot(dir.path()), user_files);
}

// A FIFO in the place of the intermediate mult_temp.v or of the header is
// refused at once, never waited on: as "cannot open".
TEST(ParitygenFaults, FifoInsteadOfAFile) {
    const Entries reference = complete_run(shared);
    {
        TempDir dir;
        write_file(dir.file("header.v"), header);
        const FifoAt fifo(dir, "mult_temp.v");
        const RunResult result = run_program(PARITYGEN_PATH, shared, dir.path());
        expect_stopped(dir, result, "mult_temp.v", reference, {"gfile"},
                       {{"mult_temp.v", fifo_entry}, {"multiplier.v", ""}});
    }
    {
        TempDir dir;
        const FifoAt fifo(dir, "header.v");
        const RunResult result = run_program(PARITYGEN_PATH, plain, dir.path());
        EXPECT_EQ(result.exit_status, 1);
        EXPECT_EQ(result.err, "Cannot open header.v\n");
        EXPECT_EQ(snapshot(dir.path()), (Entries{{"gfile", reference.at("gfile")},
                                                 {"header.v", fifo_entry},
                                                 {"multiplier.v", ""}}));
    }
}

// Every write fails beyond a file-size limit: "Cannot open gfile" and
// status 1, not death by SIGXFSZ.
TEST(ParitygenFaults, FileSizeLimit) {
    TempDir dir;
    write_file(dir.file("header.v"), header);
    const RunResult result = run_limited("ulimit -f 0", PARITYGEN_PATH, shared, dir.path());
    EXPECT_EQ(result.out, "Cannot open gfile\nstatus 1\n");
    EXPECT_EQ(snapshot(dir.path()), (Entries{{"header.v", header}, {"gfile", ""}}));
}

} // namespace
} // namespace ipgen::test
