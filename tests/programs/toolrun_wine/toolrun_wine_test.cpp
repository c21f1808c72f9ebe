// toolrun.exe, the real Windows program, under Wine with the doubles of the
// host's libraries: NTKRVED.dll reads the context from the file named by
// TOOLRUN_CONTEXT, NTSTKDE.dll records each process-manager piece in
// proc_msg.txt, qrylink.dll (put into the Bin folder, which the launcher
// has put on PATH) records the folder handed to entry point 4.
#include "../toolrun/launcher_test_support.hpp"
#include "wine_run.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace toolrun::wine {
namespace {

namespace fs = std::filesystem;
using ipgen::test::read_file;
using ipgen::test::ScopedVariable;
using ipgen::test::TempDir;
using ipgen::test::write_file;

constexpr std::uint32_t error_box_flags = 0x00050010; // MB_ICONHAND|MB_SETFOREGROUND|MB_TOPMOST
const std::string spawn_failure =
    "Error: Received process exit status -1;\npossible system problem to spawn child process";

WineSession* session = nullptr;
std::string* wine_default_path = nullptr; // PATH of a program Wine starts

// The boxes of the run, without the one that reports the hidden window
// that cannot be created where Wine has no display driver.
std::vector<MessageBoxCall> error_boxes(const WineRun& run) {
    std::vector<MessageBoxCall> boxes;
    for (const MessageBoxCall& box : run.boxes) {
        if (box.caption != "CREATE WINDOW") {
            boxes.push_back(box);
        }
    }
    return boxes;
}

// One "Error Message" box with this text, as every failure of the run shows.
void expect_error_box(const WineRun& run, const std::string& text) {
    const std::vector<MessageBoxCall> boxes = error_boxes(run);
    ASSERT_EQ(boxes.size(), 1u) << run.wine_status << "\n" << run.trace;
    EXPECT_EQ(boxes[0].owner, "00000000");
    EXPECT_EQ(boxes[0].text, boxes[0].text_cut ? text.substr(0, boxes[0].text.size()) : text);
    EXPECT_EQ(boxes[0].caption, "Error Message");
    EXPECT_EQ(boxes[0].flags, error_box_flags);
}

// The host as in the POSIX tests, with Windows paths: tool folders, Bin,
// Root, the launcher's working folder and the context file.
class Host {
  public:
    Host() {
        for (const char* folder :
             {"work", "bin", "syn/bin", "ms", "ls/bin/win32", "cv/root", "cv/pgmsuite/pgmcfg"}) {
            fs::create_directories(unix_path(folder));
        }
        context = "SynplifyPath=" + path("syn") + "\r\nModelsimPath=" + path("ms") +
                  "\r\nSpectrumPath=" + path("ls") + "\r\nRoot=" + path("cv\\root") +
                  "\\\r\nBin=" + path("bin") + "\r\n";
    }

    std::string unix_path(const std::string& relative) const { return dir_.file(relative); }
    std::string path(const std::string& relative) const {
        return windows_path(dir_.file(relative));
    }
    std::string work(const std::string& name) const { return unix_path("work/" + name); }

    void install(const std::string& build_file, const std::string& relative) const {
        fs::copy_file(WineSession::build_file(build_file), unix_path(relative),
                      fs::copy_options::overwrite_existing);
    }
    void install_tool(const std::string& relative) const {
        install("tools/child_tool.exe", relative);
    }

    // Runs the launcher with these arguments after its own quoted path.
    WineRun run(const std::string& arguments) const {
        return run_line("\"" + windows_path(WineSession::toolrun_exe()) + "\"" + arguments);
    }
    WineRun run_line(const std::string& command_line) const {
        write_file(unix_path("context.txt"), context);
        ScopedVariable context_file("TOOLRUN_CONTEXT", path("context.txt"));
        return session->run(command_line, unix_path("work"));
    }

    std::string child_path() const { return ipgen::test::wait_for_file(work("child_path.txt")); }

    std::string context;

  private:
    TempDir dir_;
};

class ToolrunWine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!WineSession::available()) {
            return;
        }
        session = new WineSession();
        TempDir probe;
        ScopedVariable line("TOOLRUN_COMMAND_LINE",
                            windows_path(WineSession::build_file("tools/child_tool.exe")));
        session->run(windows_path(WineSession::build_file("tools/child_tool.exe")), probe.path());
        wine_default_path =
            new std::string(ipgen::test::wait_for_file(probe.file("child_path.txt")));
    }
    static void TearDownTestSuite() {
        delete session;
        session = nullptr;
        delete wine_default_path;
        wine_default_path = nullptr;
    }
    void SetUp() override {
        if (session == nullptr) {
            GTEST_SKIP() << "toolrun.exe is not built (MinGW-w64 missing) or Wine is missing";
        }
    }
};

TEST_F(ToolrunWine, StartUpRegistersTheMessageAndTheWindowClass) {
    Host host;
    host.install_tool("ms/modelsim.exe");
    const WineRun run = host.run(" -modelsim");
    EXPECT_EQ(run.exit_code, 0);
    std::size_t registered = 0;
    for (std::size_t at = 0;
         (at = run.trace.find("Call user32.RegisterWindowMessageA(", at)) != std::string::npos;
         ++at) {
        EXPECT_EQ(
            run.trace.compare(run.trace.find('"', at), 34, "\"Corvane Stockade notify message\")"),
            0);
        ++registered;
    }
    EXPECT_EQ(registered, 2u);
    // Class, title "hello", WS_SYSMENU, no extended style, default x.
    EXPECT_NE(run.trace.find("CreateWindowExA(00000000,"), std::string::npos);
    EXPECT_NE(run.trace.find(" \"myStdioCommClass\","), std::string::npos);
    EXPECT_NE(run.trace.find(" \"hello\",00080000,80000000,"), std::string::npos);
    // Without a display the window cannot be created: reported, run goes on.
    ASSERT_EQ(run.boxes.size(), 1u) << run.trace;
    EXPECT_EQ(run.boxes[0].text, "\"" + windows_path(WineSession::toolrun_exe()) +
                                     "\" -modelsim: Failed to Create Window.\n");
    EXPECT_EQ(run.boxes[0].caption, "CREATE WINDOW");
    EXPECT_EQ(run.boxes[0].flags, 0u); // MB_OK
    EXPECT_EQ(host.child_path(),
              host.path("ms") + ";" + host.path("bin") + ";" + *wine_default_path + ";");
}

TEST_F(ToolrunWine, EachToolGetsItsPathAndExecutable) {
    struct Case {
        std::string tool_switch, executable, path_head;
    };
    Host host;
    const std::vector<Case> cases = {
        {" -modelsim", "ms/modelsim.exe", host.path("ms") + ";"},
        {" -spectrum", "ls/bin/win32/leonardo.exe", host.path("ls") + "\\bin\\win32;"},
        {" -pgmcfg", "cv/pgmsuite/pgmcfg/wloader.exe", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tool_switch);
        host.install_tool(c.executable);
        const WineRun run = host.run(c.tool_switch);
        EXPECT_EQ(run.exit_code, 0);
        EXPECT_TRUE(error_boxes(run).empty()) << run.trace;
        EXPECT_EQ(host.child_path(),
                  c.path_head + host.path("bin") + ";" + *wine_default_path + ";");
        // No command line of its own; shown normally (STARTF_USESHOWWINDOW, SW_SHOWNORMAL).
        EXPECT_EQ(ipgen::test::wait_for_file(host.work("child_args.txt")), "0");
        EXPECT_EQ(ipgen::test::wait_for_file(host.work("child_startup.txt")), "1 1");
        for (const char* file : {"child_path.txt", "child_args.txt", "child_startup.txt"}) {
            fs::remove(host.work(file));
        }
        fs::remove(host.unix_path(c.executable));
    }
}

TEST_F(ToolrunWine, SwitchSelection) {
    Host host;
    host.install_tool("ms/modelsim.exe");
    host.install_tool("cv/pgmsuite/pgmcfg/wloader.exe");
    EXPECT_EQ(host.run(" -ModelSim").exit_code, 0);
    EXPECT_EQ(host.child_path(),
              host.path("ms") + ";" + host.path("bin") + ";" + *wine_default_path + ";");
    fs::remove(host.work("child_path.txt"));

    // The first switch wins.
    EXPECT_EQ(host.run(" x -PGMCFG -modelsim").exit_code, 0);
    EXPECT_EQ(host.child_path(), host.path("bin") + ";" + *wine_default_path + ";");
}

TEST_F(ToolrunWine, QuotesOfTheCommandLine) {
    Host host;
    host.install_tool("ms/modelsim.exe");
    // A quoted piece joins what follows it.
    WineRun run = host.run(" \"-model\"sim");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.program_errors, "");
    EXPECT_EQ(host.child_path().substr(0, host.path("ms").size() + 1), host.path("ms") + ";");
    fs::remove(host.work("child_path.txt"));

    // An unmatched quote is reported on standard error; the token made so
    // far still selects ModelSim.
    run = host.run(" \"-modelsim");
    EXPECT_EQ(run.exit_code, 0);
    // Standard error is a text stream: the line ends in CR LF.
    EXPECT_EQ(run.program_errors, "Unmatched quote string contained in the command line\r\n");
    EXPECT_EQ(host.child_path().substr(0, host.path("ms").size() + 1), host.path("ms") + ";");
}

TEST_F(ToolrunWine, ContextThatCannotBeOpened) {
    Host host;
    fs::create_directories(host.unix_path("context.txt")); // a folder cannot be read
    const WineRun run = session->run(
        "\"" + windows_path(WineSession::toolrun_exe()) + "\" -modelsim", host.unix_path("work"));
    EXPECT_EQ(run.exit_code, 1);
    expect_error_box(run, "Cannot open current context");
}

TEST_F(ToolrunWine, ContextValuesMissingOrEmpty) {
    const std::vector<std::pair<std::string, std::string>> cases = {{" -synplify", "SynplifyPath"},
                                                                    {" -modelsim", "ModelsimPath"},
                                                                    {" -spectrum", "SpectrumPath"},
                                                                    {" -pgmcfg", "Root"},
                                                                    {" -modelsim", "Bin"}};
    for (const auto& [tool_switch, key] : cases) {
        SCOPED_TRACE(key);
        Host host;
        const std::size_t at = host.context.find(key + "=");
        const std::size_t end = host.context.find('\r', at);
        // Missing for the tools' keys, empty for Root and Bin.
        const bool empty = key == "Root" || key == "Bin";
        host.context.replace(at, end - at, empty ? key + "=" : "");
        const WineRun run = host.run(tool_switch);
        EXPECT_EQ(run.exit_code, -1);
        expect_error_box(run, "Failed to get " + key + " context string");
    }
}

TEST_F(ToolrunWine, RootValues) {
    Host host;
    // C:\x\ is used as C:\x.
    WineRun run = host.run(" -pgmcfg");
    EXPECT_EQ(run.exit_code, -1);
    expect_error_box(run, "Failed to find " + host.path("cv\\root") +
                              "\\..\\pgmsuite\\pgmcfg\\wloader.exe file");
    // A lone backslash counts as empty.
    host.context = "Root=\\\r\n" + host.context;
    run = host.run(" -pgmcfg");
    EXPECT_EQ(run.exit_code, -1);
    expect_error_box(run, "Failed to get Root context string");
}

TEST_F(ToolrunWine, ExecutableMissingEmptyOrTooLong) {
    Host host;
    const std::string executable = host.path("ls") + "\\bin\\win32\\leonardo.exe";
    WineRun run = host.run(" -spectrum");
    EXPECT_EQ(run.exit_code, -1);
    expect_error_box(run, "Failed to find " + executable + " file");

    write_file(host.unix_path("ls/bin/win32/leonardo.exe"), "");
    run = host.run(" -spectrum");
    EXPECT_EQ(run.exit_code, -1);
    expect_error_box(run, "Failed to find " + executable + " file");

    const std::string long_folder = "C:\\" + std::string(244, 'm'); // 260 with the name
    host.context = "ModelsimPath=" + long_folder + "\r\n" + host.context;
    run = host.run(" -modelsim");
    EXPECT_EQ(run.exit_code, -1);
    expect_error_box(run, "Executable path longer than 259 characters: " + long_folder +
                              "\\modelsim.exe");
}

TEST_F(ToolrunWine, ToolThatCannotBeStarted) {
    Host host;
    write_file(host.unix_path("ms/modelsim.exe"), "not a Windows program\r\n");
    const WineRun run = host.run(" -modelsim");
    EXPECT_EQ(run.exit_code, 2);
    const std::vector<MessageBoxCall> boxes = error_boxes(run);
    ASSERT_EQ(boxes.size(), 2u) << run.trace;
    EXPECT_EQ(boxes[0].caption, "GetLastError");
    EXPECT_NE(boxes[0].text, "");     // the system's text for a bad executable
    EXPECT_EQ(boxes[0].flags, 0x40u); // MB_ICONINFORMATION
    EXPECT_EQ(boxes[1].text, spawn_failure);
    EXPECT_EQ(boxes[1].caption, "Error Message");
    EXPECT_EQ(boxes[1].flags, error_box_flags);
}

TEST_F(ToolrunWine, ChildStillRunningIsLeftRunning) {
    Host host;
    host.install_tool("ms/modelsim.exe");
    ScopedVariable sleep("TOOLRUN_CHILD_SLEEP_MS", "4000");
    const WineRun run = host.run(" -modelsim");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_TRUE(error_boxes(run).empty()) << run.trace;
    EXPECT_FALSE(fs::exists(host.work("child_done.txt")));
    EXPECT_EQ(ipgen::test::wait_for_file(host.work("child_done.txt")), "done");
}

TEST_F(ToolrunWine, SynplifyThroughAWorkingLinkLibrary) {
    Host host;
    write_file(host.unix_path("syn/bin/synplify.exe"), "present");
    host.install("qrylink/working/qrylink.dll", "bin/qrylink.dll");
    const WineRun run = host.run("");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_TRUE(error_boxes(run).empty()) << run.trace;
    EXPECT_EQ(read_file(host.work("qrylink_entry4.txt")), host.path("syn") + "\n");
    EXPECT_EQ(read_file(host.work("qrylink_priority.txt")), "-2"); // THREAD_PRIORITY_LOWEST
    EXPECT_FALSE(fs::exists(host.work("toolrun.err")));
    EXPECT_FALSE(fs::exists(host.work("proc_msg.txt")));
}

TEST_F(ToolrunWine, LinkLibraryThatFailsIsLoggedAndBoxed) {
    Host host;
    write_file(host.unix_path("syn/bin/synplify.exe"), "present");
    const std::string piece = "SKOutputProcMsg(0, 0, \"Error loading QRYLINK.DLL\n\")\n";

    // No qrylink.dll anywhere.
    WineRun run = host.run(" -synplify");
    EXPECT_EQ(run.exit_code, 2);
    expect_error_box(run, spawn_failure);
    EXPECT_EQ(read_file(host.work("toolrun.err")), "Error loading QRYLINK.DLL\r\n");
    EXPECT_EQ(read_file(host.work("proc_msg.txt")), piece);

    // A qrylink.dll without ordinal 9: the log grows by one message.
    host.install("qrylink/broken/qrylink.dll", "bin/qrylink.dll");
    run = host.run(" -synplify");
    EXPECT_EQ(run.exit_code, 2);
    expect_error_box(run, spawn_failure);
    EXPECT_EQ(read_file(host.work("toolrun.err")),
              "Error loading QRYLINK.DLL\r\nError loading QRYLINK.DLL\r\n");
    EXPECT_EQ(read_file(host.work("proc_msg.txt")), piece + piece);
    EXPECT_FALSE(fs::exists(host.work("qrylink_entry4.txt")));
}

// Last, as it changes the prefix for good: with Wine's null display driver
// the hidden window is created, and a started tool leaves no box at all.
TEST_F(ToolrunWine, HiddenWindowIsCreatedWhereWindowsCanBe) {
    session->use_null_display_driver();
    Host host;
    host.install_tool("ms/modelsim.exe");
    const WineRun run = host.run(" -modelsim");
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_TRUE(run.boxes.empty()) << run.trace;
    const std::size_t returned = run.trace.find("Ret  user32.CreateWindowExA() retval=");
    ASSERT_NE(returned, std::string::npos) << run.trace;
    EXPECT_NE(run.trace.compare(returned + 37, 8, "00000000"), 0) << "no window was created";
    EXPECT_EQ(host.child_path(),
              host.path("ms") + ";" + host.path("bin") + ";" + *wine_default_path + ";");
}

} // namespace
} // namespace toolrun::wine
