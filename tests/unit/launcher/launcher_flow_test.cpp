#include "launcher/launcher.hpp"

#include "fake_platform.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace toolrun {
namespace {

using Lines = std::vector<std::string>;
using test::FakePlatform;

// A host whose context names every folder and whose tools are all there.
struct CompleteHost : FakePlatform {
    CompleteHost() {
        context = {{"SynplifyPath", "C:\\syn"},
                   {"ModelsimPath", "C:\\ms"},
                   {"SpectrumPath", "C:\\ls"},
                   {"Root", "C:\\cv\\"},
                   {"Bin", "C:\\cv\\bin"}};
        files = {{"C:\\syn\\bin\\synplify.exe", 10},
                 {"C:\\ms\\modelsim.exe", 10},
                 {"C:\\ls\\bin\\win32\\leonardo.exe", 10},
                 {"C:\\cv\\..\\pgmsuite\\pgmcfg\\wloader.exe", 10}};
    }
};

int run(FakePlatform& platform, const Lines& tokens) {
    return run_launcher(platform, tokens, windows_paths);
}

TEST(LauncherFlow, StartsModelSimAsAChild) {
    CompleteHost platform;
    EXPECT_EQ(run(platform, {"toolrun.exe", "-modelsim"}), 0);
    EXPECT_EQ(platform.calls,
              (Lines{"open_context", "copy_context_string ModelsimPath 259",
                     "copy_context_string Bin 259", "close_context",
                     "set_path C:\\ms;C:\\cv\\bin;C:\\Windows;", "file_size C:\\ms\\modelsim.exe",
                     "start_process C:\\ms\\modelsim.exe"}));
    EXPECT_TRUE(platform.boxes.empty());
}

TEST(LauncherFlow, ReadsRootAsAPathWithoutItsTrailingBackslash) {
    CompleteHost platform;
    platform.path_variable = std::nullopt;
    EXPECT_EQ(run(platform, {"toolrun.exe", "-pgmcfg"}), 0);
    EXPECT_EQ(platform.calls,
              (Lines{"open_context", "copy_context_path Root 260", "copy_context_string Bin 259",
                     "close_context", "set_path C:\\cv\\bin;;",
                     "file_size C:\\cv\\..\\pgmsuite\\pgmcfg\\wloader.exe",
                     "start_process C:\\cv\\..\\pgmsuite\\pgmcfg\\wloader.exe"}));
}

TEST(LauncherFlow, SpectrumPathAndExecutable) {
    CompleteHost platform;
    EXPECT_EQ(run(platform, {"toolrun.exe", "-spectrum"}), 0);
    EXPECT_EQ(platform.calls.at(4), "set_path C:\\ls\\bin\\win32;C:\\cv\\bin;C:\\Windows;");
    EXPECT_EQ(platform.calls.back(), "start_process C:\\ls\\bin\\win32\\leonardo.exe");
}

TEST(LauncherFlow, NoContext) {
    CompleteHost platform;
    platform.context_opens = false;
    EXPECT_EQ(run(platform, {"toolrun.exe", "-modelsim"}), 1);
    EXPECT_EQ(platform.calls, (Lines{"open_context", "error_box"}));
    EXPECT_EQ(platform.boxes, Lines{"Cannot open current context"});
}

TEST(LauncherFlow, MissingOrEmptyContextValuesEndWithoutClosingTheContext) {
    const std::vector<std::pair<std::string, std::string>> cases = {{"-synplify", "SynplifyPath"},
                                                                    {"-modelsim", "ModelsimPath"},
                                                                    {"-spectrum", "SpectrumPath"},
                                                                    {"-pgmcfg", "Root"},
                                                                    {"-modelsim", "Bin"}};
    for (const auto& [tool_switch, key] : cases) {
        for (const bool empty : {false, true}) {
            SCOPED_TRACE(key + (empty ? " empty" : " missing"));
            CompleteHost platform;
            if (empty) {
                platform.context[key] = "";
            } else {
                platform.context.erase(key);
            }
            EXPECT_EQ(run(platform, {"toolrun.exe", tool_switch}), -1);
            EXPECT_EQ(platform.boxes, Lines{"Failed to get " + key + " context string"});
            EXPECT_EQ(platform.calls.back(), "error_box");
            EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "close_context"), 0);
        }
    }
}

TEST(LauncherFlow, LoneBackslashRootCountsAsEmpty) {
    CompleteHost platform;
    platform.context["Root"] = "\\";
    EXPECT_EQ(run(platform, {"toolrun.exe", "-pgmcfg"}), -1);
    EXPECT_EQ(platform.boxes, Lines{"Failed to get Root context string"});
}

TEST(LauncherFlow, ContextValueLongerThanThePathBufferIsRefused) {
    CompleteHost platform;
    platform.context["ModelsimPath"] = "C:\\" + std::string(257, 'm');
    EXPECT_EQ(run(platform, {"toolrun.exe", "-modelsim"}), -1);
    EXPECT_EQ(platform.boxes, Lines{"Failed to get ModelsimPath context string"});
}

TEST(LauncherFlow, MissingOrEmptyExecutable) {
    CompleteHost platform;
    platform.files.erase("C:\\ms\\modelsim.exe");
    EXPECT_EQ(run(platform, {"toolrun.exe", "-modelsim"}), -1);
    EXPECT_EQ(platform.boxes, Lines{"Failed to find C:\\ms\\modelsim.exe file"});

    CompleteHost empty;
    empty.files["C:\\ls\\bin\\win32\\leonardo.exe"] = 0;
    EXPECT_EQ(run(empty, {"toolrun.exe", "-spectrum"}), -1);
    EXPECT_EQ(empty.boxes, Lines{"Failed to find C:\\ls\\bin\\win32\\leonardo.exe file"});
    EXPECT_EQ(empty.calls.back(), "error_box");
}

TEST(LauncherFlow, ExecutablePathOver259CharactersIsRefused) {
    CompleteHost platform;
    const std::string directory = "C:\\" + std::string(243, 'd'); // + "\\modelsim.exe" = 259
    platform.context["ModelsimPath"] = directory;
    platform.files[directory + "\\modelsim.exe"] = 10;
    EXPECT_EQ(run(platform, {"toolrun.exe", "-modelsim"}), 0);

    CompleteHost longer;
    longer.context["ModelsimPath"] = directory + "d";
    EXPECT_EQ(run(longer, {"toolrun.exe", "-modelsim"}), -1);
    EXPECT_EQ(longer.boxes, Lines{"Executable path longer than 259 characters: " + directory +
                                  "d\\modelsim.exe"});
    EXPECT_EQ(longer.calls.back(), "error_box");
}

TEST(LauncherFlow, ChildThatCannotStart) {
    CompleteHost platform;
    platform.child = std::nullopt;
    EXPECT_EQ(run(platform, {"toolrun.exe", "-modelsim"}), 2);
    EXPECT_EQ(Lines(platform.calls.end() - 3, platform.calls.end()),
              (Lines{"start_process C:\\ms\\modelsim.exe", "show_last_error", "error_box"}));
    EXPECT_EQ(platform.boxes, Lines{"Error: Received process exit status -1;\npossible system "
                                    "problem to spawn child process"});
}

TEST(StartToolProcess, ReturnsTheCodeSeenByTheZeroTimeoutPoll) {
    FakePlatform platform;
    platform.child = ChildPoll{true, 259}; // still running
    EXPECT_EQ(start_tool_process(platform, "t"), 259);
    platform.child = ChildPoll{true, 0}; // already ended successfully
    EXPECT_EQ(start_tool_process(platform, "t"), 1);
    platform.child = ChildPoll{false, 5}; // the poll failed
    EXPECT_EQ(start_tool_process(platform, "t"), 1);
    platform.child = ChildPoll{true, 0xFFFFFFFFu};
    EXPECT_EQ(start_tool_process(platform, "t"), 0xFFFFFFFFll);
    platform.child = std::nullopt;
    EXPECT_EQ(start_tool_process(platform, "t"), 0);
    EXPECT_EQ(platform.calls.back(), "show_last_error");
}

TEST(LauncherFlow, SynplifyThroughTheLinkLibrary) {
    CompleteHost platform;
    platform.loaded_link_copies = 2;
    EXPECT_EQ(run(platform, {"toolrun.exe"}), 0);
    EXPECT_EQ(platform.calls,
              (Lines{"open_context", "copy_context_string SynplifyPath 259",
                     "copy_context_string Bin 259", "close_context",
                     "set_path C:\\syn\\bin;C:\\cv\\bin;C:\\Windows;",
                     "file_size C:\\syn\\bin\\synplify.exe", "free_loaded_link_copy",
                     "free_loaded_link_copy", "free_loaded_link_copy", "load_link_library",
                     "resolve 3", "resolve 9", "resolve 4", "lower_thread_priority",
                     "entry_4 C:\\syn", "free_link_library"}));
    EXPECT_TRUE(platform.boxes.empty());
    EXPECT_TRUE(platform.log.empty());
}

TEST(LauncherFlow, LinkLibraryThatFailsToLoadIsLoggedThenBoxed) {
    CompleteHost missing;
    missing.link_loads = false;
    EXPECT_EQ(run(missing, {"toolrun.exe", "-synplify"}), 2);
    EXPECT_EQ(missing.log, "Error loading QRYLINK.DLL\n");
    EXPECT_EQ(missing.pieces, Lines{"Error loading QRYLINK.DLL\n"});
    EXPECT_EQ(Lines(missing.calls.end() - 3, missing.calls.end()),
              (Lines{"load_link_library", "free_link_library", "error_box"}));
    EXPECT_EQ(missing.boxes, Lines{"Error: Received process exit status -1;\npossible system "
                                   "problem to spawn child process"});

    CompleteHost no_ninth;
    no_ninth.missing_ordinals = {9};
    EXPECT_EQ(run(no_ninth, {"toolrun.exe"}), 2);
    EXPECT_EQ(
        Lines(no_ninth.calls.end() - 5, no_ninth.calls.end()),
        (Lines{"load_link_library", "resolve 3", "resolve 9", "free_link_library", "error_box"}));
    EXPECT_EQ(no_ninth.log, "Error loading QRYLINK.DLL\n");
}

TEST(RunThroughLinkLibrary, EmptyFolderIsLogged) {
    FakePlatform platform;
    EXPECT_EQ(run_through_link_library(platform, ""), -1);
    EXPECT_EQ(platform.log, "Error Synplify executable path.\n");
    EXPECT_EQ(platform.calls, Lines{"free_link_library"});
}

TEST(LoadLinkLibrary, StopsFreeingAPinnedCopy) {
    FakePlatform platform;
    platform.loaded_link_copies = 1 << 30; // FreeLibrary of a pinned module never unloads it
    EXPECT_TRUE(load_link_library(platform));
    EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "free_loaded_link_copy"),
              1024);
}

} // namespace
} // namespace toolrun
