// toolrun (the POSIX stand-in) against a failing file system. Its only file
// is the log toolrun.err, written when the link library cannot be loaded:
// on a full disk, taken by a directory or in a read-only working directory
// the log is lost, but the run still ends with the failure box and status
// 2. A context file that cannot be read gives "Cannot open current context"
// and status 1. An existing log only ever grows.
#include "fault_support.hpp"
#include "launcher_test_support.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace ipgen::test {
namespace {

const std::string load_failure = "SKOutputProcMsg: Error loading QRYLINK.DLL\n"
                                 "Error Message: Error: Received process exit status -1;\n"
                                 "possible system problem to spawn child process\n";
const std::string no_context = "Error Message: Cannot open current context\n";

// Synplify's folder and a context naming it; the broken link library.
class Host {
  public:
    Host() {
        std::filesystem::create_directories(dir_.file("work"));
        std::filesystem::create_directories(dir_.file("syn/bin"));
        write_file(dir_.file("syn/bin/synplify"), "present");
        write_file(dir_.file("context.txt"),
                   "SynplifyPath=" + dir_.file("syn") + "\nBin=" + dir_.file("syn") + "\n");
    }
    std::string path(const std::string& relative) const { return dir_.file(relative); }

    RunResult run(bool confined = false,
                  const std::string& context = std::string("context.txt")) const {
        ScopedVariable context_variable("TOOLRUN_CONTEXT", path(context));
        ScopedVariable library_path(
            "LD_LIBRARY_PATH", std::filesystem::path(QRYLINK_BROKEN_PATH).parent_path().string());
        return confined ? run_program_confined(TOOLRUN_PATH, {"-synplify"}, path("work"))
                        : run_program(TOOLRUN_PATH, {"-synplify"}, path("work"));
    }

  private:
    TempDir dir_;
};

TEST(ToolrunFaults, LogOnAFullDiskOrTakenByADirectory) {
    {
        Host host;
        ASSERT_EQ(::symlink("/dev/full", host.path("work/toolrun.err").c_str()), 0);
        const RunResult result = host.run();
        EXPECT_EQ(result.exit_status, 2);
        EXPECT_EQ(result.err, load_failure);
        EXPECT_EQ(snapshot(host.path("work")), (Entries{{"toolrun.err", full_disk_entry}}));
    }
    {
        Host host;
        ASSERT_EQ(::mkdir(host.path("work/toolrun.err").c_str(), 0755), 0);
        const RunResult result = host.run();
        EXPECT_EQ(result.exit_status, 2);
        EXPECT_EQ(result.err, load_failure);
        EXPECT_EQ(snapshot(host.path("work")), (Entries{{"toolrun.err", empty_directory_entry}}));
    }
}

// A FIFO in the place of the log is no log: refused at once, never waited
// on; the run still ends with the failure box and status 2.
TEST(ToolrunFaults, LogTakenByAFifo) {
    Host host;
    const FifoAt fifo(host.path("work/toolrun.err"));
    const RunResult result = host.run();
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.err, load_failure);
    EXPECT_EQ(snapshot(host.path("work")), (Entries{{"toolrun.err", fifo_entry}}));
}

TEST(ToolrunFaults, ReadOnlyWorkingDirectory) {
    Host host;
    ::chmod(host.path("work").c_str(), 0555);
    const RunResult result = host.run(true);
    ::chmod(host.path("work").c_str(), 0755);
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.err, load_failure);
    EXPECT_EQ(snapshot(host.path("work")), Entries{});
}

TEST(ToolrunFaults, AnEarlierLogIsAppendedTo) {
    Host host;
    write_file(host.path("work/toolrun.err"), "earlier run\n");
    EXPECT_EQ(host.run().exit_status, 2);
    EXPECT_EQ(read_file(host.path("work/toolrun.err")), "earlier run\nError loading QRYLINK.DLL\n");
}

TEST(ToolrunFaults, ContextMissingUnreadableOrNotAFile) {
    Host host;
    EXPECT_EQ(host.run(false, "missing.txt").err, no_context);
    ::chmod(host.path("context.txt").c_str(), 0);
    const RunResult unreadable = host.run(true);
    EXPECT_EQ(unreadable.exit_status, 1);
    EXPECT_EQ(unreadable.err, no_context);
    // A directory or an endless device is no context file either.
    const RunResult directory = host.run(false, "syn");
    EXPECT_EQ(directory.exit_status, 1);
    EXPECT_EQ(directory.err, no_context);
    ASSERT_EQ(::symlink("/dev/zero", host.path("zero.txt").c_str()), 0);
    const RunResult endless = host.run(false, "zero.txt");
    EXPECT_EQ(endless.exit_status, 1);
    EXPECT_EQ(endless.err, no_context);
    EXPECT_EQ(snapshot(host.path("work")), Entries{});
}

// A FIFO is refused at once, never waited on; a file beyond the 16 MiB of
// every input is refused before it is read.
TEST(ToolrunFaults, ContextFifoOrBeyondTheCap) {
    Host host;
    const int fifo = ::mkfifo(host.path("fifo.txt").c_str(), 0644);
    ASSERT_EQ(fifo, 0);
    const RunResult waiting = host.run(false, "fifo.txt");
    EXPECT_EQ(waiting.exit_status, 1);
    EXPECT_EQ(waiting.err, no_context);
    const int fd = ::open(host.path("large.txt").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, (off_t{16} << 20) + 1), 0);
    ::close(fd);
    const RunResult large = host.run(false, "large.txt");
    EXPECT_EQ(large.exit_status, 1);
    EXPECT_EQ(large.err, no_context);
}

} // namespace
} // namespace ipgen::test
