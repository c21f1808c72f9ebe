// The launcher's run: pick the tool, read its folders from the host context,
// put them on PATH, check the executable and start it.
#pragma once

#include "launcher/path_style.hpp"
#include "launcher/platform.hpp"
#include "launcher/tool_kind.hpp"

#include <string>
#include <vector>

namespace toolrun {

// Exit statuses of the launcher.
inline constexpr int status_started = 0;
inline constexpr int status_no_context = 1;
inline constexpr int status_failed = -1;
inline constexpr int status_spawn_failed = 2;

// Message box texts of the run.
inline constexpr const char* no_context_text = "Cannot open current context";
inline constexpr const char* context_failure_format = "Failed to get %s context string";
inline constexpr const char* missing_executable_format = "Failed to find %s file";
inline constexpr const char* path_too_long_format =
    "Executable path longer than 259 characters: %s";
inline constexpr const char* spawn_failure_text =
    "Error: Received process exit status -1;\npossible system problem to spawn child process";

// Messages logged on the link-library route.
inline constexpr const char* bad_synplify_directory_log = "Error Synplify executable path.\n";
inline constexpr const char* load_failure_log = "Error loading QRYLINK.DLL\n";

// Ordinals of qrylink.dll's entry points, in the order they are resolved.
inline constexpr int link_ordinals[] = {3, 9, 4};

// An executable with a readable status and a size other than zero.
bool executable_present(Platform& platform, const std::string& path);

// Starts a child tool without waiting for it: 0 when it could not be
// started, its exit code when the poll saw one other than zero (a running
// process reports STILL_ACTIVE), 1 otherwise.
long long start_tool_process(Platform& platform, const std::string& path);

// Frees every copy of qrylink.dll already in the process, loads it and
// resolves ordinals 3, 9 and 4; false when any step fails.
bool load_link_library(Platform& platform);
void release_link_library(Platform& platform);

// Hands Synplify's folder to entry point 4 of qrylink.dll: 0 when called,
// -1 (logged) when the folder is empty or the library cannot be loaded.
int run_through_link_library(Platform& platform, const std::string& tool_directory);

// The whole run after start-up, from the command-line tokens to the exit
// status; failures are shown in message boxes.
int run_launcher(Platform& platform, const std::vector<std::string>& tokens,
                 const PathStyle& style);

} // namespace toolrun
