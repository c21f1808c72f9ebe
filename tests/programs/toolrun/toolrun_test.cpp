// The POSIX stand-in of toolrun, run as the host runs it: a context file, a
// tree of tool folders, the stand-in link libraries, and the child tool
// double recording the PATH it inherited.
#include "launcher_test_support.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace {

namespace fs = std::filesystem;
using ipgen::test::read_file;
using ipgen::test::RunResult;
using ipgen::test::ScopedVariable;
using ipgen::test::TempDir;
using ipgen::test::write_file;

const std::string spawn_box = "Error Message: Error: Received process exit status -1;\n"
                              "possible system problem to spawn child process\n";

std::string folder_of(const char* file) {
    return fs::path(file).parent_path().string();
}

// The host: a working folder for the launcher, and beside it the tools'
// installation folders and the Bin folder, named as in the context file.
class Host {
  public:
    Host() {
        for (const char* folder : {"work", "bin", "syn/bin", "ms", "ls/bin/win32", "cv/root",
                                   "cv/pgmsuite/pgmcfg", "nolink"}) {
            fs::create_directories(path(folder));
        }
        context = "SynplifyPath=" + path("syn") + "\nModelsimPath=" + path("ms") +
                  "\nSpectrumPath=" + path("ls") + "\nRoot=" + path("cv/root") +
                  "/\nBin=" + path("bin") + "\n";
    }

    std::string path(const std::string& relative) const { return dir_.file(relative); }
    std::string work(const std::string& name) const { return path("work/" + name); }

    // Puts the child-tool double where the launcher expects a tool.
    void install_tool(const std::string& relative) const {
        fs::copy_file(TOOLRUN_CHILD_PATH, path(relative), fs::copy_options::overwrite_existing);
    }

    RunResult run(const std::vector<std::string>& args,
                  const std::string& link_folder = folder_of(QRYLINK_PATH)) const {
        write_file(path("context.txt"), context);
        ScopedVariable context_variable("TOOLRUN_CONTEXT", path("context.txt"));
        ScopedVariable library_path("LD_LIBRARY_PATH", link_folder);
        return ipgen::test::run_program(TOOLRUN_PATH, args, path("work"));
    }

    // What the started child wrote, once it has written it.
    std::string child_file(const std::string& name) const {
        return ipgen::test::wait_for_file(work(name));
    }

    std::string context;

  private:
    TempDir dir_;
};

std::string old_path() {
    return std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
}

TEST(ToolrunProgram, StartsEachToolWithItsPath) {
    struct Case {
        std::string tool_switch, executable, path_head;
    };
    Host host;
    const std::vector<Case> cases = {
        {"-modelsim", "ms/modelsim", host.path("ms") + ":"},
        {"-spectrum", "ls/bin/win32/leonardo", host.path("ls") + "/bin/win32:"},
        {"-pgmcfg", "cv/pgmsuite/pgmcfg/wloader", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tool_switch);
        host.install_tool(c.executable);
        const RunResult result = host.run({c.tool_switch});
        EXPECT_EQ(result.exit_status, 0);
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(host.child_file("child_path.txt"),
                  c.path_head + host.path("bin") + ":" + old_path() + ":");
        EXPECT_EQ(host.child_file("child_args.txt"), "0");
        fs::remove(host.work("child_path.txt"));
        fs::remove(host.path(c.executable));
    }
}

TEST(ToolrunProgram, UnsetPathEndsInTwoSeparators) {
    Host host;
    host.install_tool("ms/modelsim");
    RunResult result;
    {
        ScopedVariable no_path("PATH", std::nullopt);
        result = host.run({"-modelsim"});
    }
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(host.child_file("child_path.txt"), host.path("ms") + ":" + host.path("bin") + "::");
}

TEST(ToolrunProgram, SwitchSelection) {
    Host host;
    host.install_tool("ms/modelsim");
    EXPECT_EQ(host.run({"-ModelSim"}).exit_status, 0);
    EXPECT_EQ(host.child_file("child_path.txt").substr(0, host.path("ms").size() + 1),
              host.path("ms") + ":");
    // The first switch wins: the download tool is not there.
    const RunResult both = host.run({"x", "-pgmcfg", "-modelsim"});
    EXPECT_EQ(both.exit_status, 255);
    EXPECT_EQ(both.err, "Error Message: Failed to find " + host.path("cv/root") +
                            "/../pgmsuite/pgmcfg/wloader file\n");
}

TEST(ToolrunProgram, ContextThatCannotBeOpened) {
    Host host;
    {
        ScopedVariable no_context("TOOLRUN_CONTEXT", std::nullopt);
        const RunResult unset =
            ipgen::test::run_program(TOOLRUN_PATH, {"-modelsim"}, host.path("work"));
        EXPECT_EQ(unset.exit_status, 1);
        EXPECT_EQ(unset.err, "Error Message: Cannot open current context\n");
    }
    ScopedVariable missing("TOOLRUN_CONTEXT", host.path("nothing.txt"));
    const RunResult result =
        ipgen::test::run_program(TOOLRUN_PATH, {"-modelsim"}, host.path("work"));
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.err, "Error Message: Cannot open current context\n");
    EXPECT_TRUE(ipgen::test::list_directory(host.path("work")).empty());
}

TEST(ToolrunProgram, ContextValuesMissingOrEmpty) {
    const std::vector<std::pair<std::string, std::string>> cases = {{"-synplify", "SynplifyPath"},
                                                                    {"-modelsim", "ModelsimPath"},
                                                                    {"-spectrum", "SpectrumPath"},
                                                                    {"-pgmcfg", "Root"},
                                                                    {"-spectrum", "Bin"}};
    for (const auto& [tool_switch, key] : cases) {
        SCOPED_TRACE(key);
        Host host;
        const std::string full = host.context;
        const std::size_t at = full.find(key + "=");
        const std::size_t end = full.find('\n', at);
        for (const std::string& replacement : {std::string(), key + "="}) {
            host.context = full.substr(0, at) + replacement + full.substr(end);
            const RunResult result = host.run({tool_switch});
            EXPECT_EQ(result.exit_status, 255);
            EXPECT_EQ(result.err, "Error Message: Failed to get " + key + " context string\n");
        }
    }
}

TEST(ToolrunProgram, RootOfOneSlashCountsAsEmpty) {
    Host host;
    host.context = "Root=/\n" + host.context; // the first Root line counts
    const RunResult result = host.run({"-pgmcfg"});
    EXPECT_EQ(result.exit_status, 255);
    EXPECT_EQ(result.err, "Error Message: Failed to get Root context string\n");
}

TEST(ToolrunProgram, ExecutableMissingOrEmpty) {
    Host host;
    RunResult result = host.run({"-spectrum"});
    EXPECT_EQ(result.exit_status, 255);
    EXPECT_EQ(result.err,
              "Error Message: Failed to find " + host.path("ls/bin/win32/leonardo") + " file\n");
    write_file(host.path("ls/bin/win32/leonardo"), "");
    result = host.run({"-spectrum"});
    EXPECT_EQ(result.exit_status, 255);
    EXPECT_EQ(result.err,
              "Error Message: Failed to find " + host.path("ls/bin/win32/leonardo") + " file\n");
}

TEST(ToolrunProgram, ToolThatCannotBeStarted) {
    Host host;
    write_file(host.path("ms/modelsim"), "not a program\n");
    fs::permissions(host.path("ms/modelsim"), fs::perms::owner_read | fs::perms::owner_write);
    const RunResult result = host.run({"-modelsim"});
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.err, "GetLastError: Permission denied\n" + spawn_box);
}

TEST(ToolrunProgram, ChildStillRunningIsLeftRunning) {
    Host host;
    host.install_tool("ms/modelsim");
    ScopedVariable sleep("TOOLRUN_CHILD_SLEEP_MS", "1500");
    const auto start = std::chrono::steady_clock::now();
    const RunResult result = host.run({"-modelsim"});
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_LT(took, std::chrono::milliseconds(1000));
    EXPECT_FALSE(fs::exists(host.work("child_done.txt")));
    EXPECT_EQ(host.child_file("child_done.txt"), "done");
}

TEST(ToolrunProgram, SynplifyThroughTheLinkLibrary) {
    Host host;
    write_file(host.path("syn/bin/synplify"), "present");
    const RunResult result = host.run({});
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(read_file(host.work("qrylink_entry4.txt")), host.path("syn") + "\n");
    EXPECT_FALSE(fs::exists(host.work("toolrun.err")));
}

TEST(ToolrunProgram, LinkLibraryThatFailsIsLoggedEachRun) {
    Host host;
    write_file(host.path("syn/bin/synplify"), "present");
    const std::string proc_msg = "SKOutputProcMsg: Error loading QRYLINK.DLL\n";
    RunResult result = host.run({"-synplify"}, folder_of(QRYLINK_BROKEN_PATH));
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.err, proc_msg + spawn_box);
    EXPECT_EQ(read_file(host.work("toolrun.err")), "Error loading QRYLINK.DLL\n");

    result = host.run({"-synplify"}, host.path("nolink"));
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.err, proc_msg + spawn_box);
    EXPECT_EQ(read_file(host.work("toolrun.err")),
              "Error loading QRYLINK.DLL\nError loading QRYLINK.DLL\n");
    EXPECT_FALSE(fs::exists(host.work("qrylink_entry4.txt")));
}

} // namespace
