#include "launcher/launcher.hpp"

#include "generators/common/fatal_error.hpp"
#include "launcher/host_output.hpp"
#include "launcher/tool_paths.hpp"

#include <optional>

namespace toolrun {

namespace {

using ipgen::FatalError;

// Buffer sizes offered to the host: the string call is given one less than
// the 260-byte buffer, the path call all of it.
constexpr int context_string_size = 259;
constexpr int context_path_size = 260;

// FreeLibrary of a module the loader pins (one linked into the program)
// succeeds without unloading it; this many rounds are enough for any real
// count of earlier loads and keep the loop from running forever.
constexpr int max_unload_rounds = 1024;

FatalError context_failure(const std::string& key) {
    return FatalError(fill_format(context_failure_format, {key}), status_failed);
}

// A value the host failed to copy, left empty, or that does not fit in the
// launcher's path buffers.
std::string require_value(std::optional<std::string> value, const std::string& key) {
    if (!value || value->empty() || value->size() > max_path_length) {
        throw context_failure(key);
    }
    return *value;
}

std::string read_tool_directory(Platform& platform, const ToolInfo& tool, const PathStyle& style) {
    const std::string key = tool.context_key;
    if (!tool.directory_is_path) {
        return require_value(platform.copy_context_string(key, context_string_size), key);
    }
    std::optional<std::string> root =
        trim_root(require_value(platform.copy_context_path(key, context_path_size), key), style);
    if (!root) {
        throw context_failure(key);
    }
    return *root;
}

int run(Platform& platform, const std::vector<std::string>& tokens, const PathStyle& style) {
    const ToolKind kind = select_tool(tokens);
    const ToolInfo& tool = tool_info(kind);

    if (!platform.open_context()) {
        throw FatalError(no_context_text, status_no_context);
    }
    const std::string tool_directory = read_tool_directory(platform, tool, style);
    const std::string bin =
        require_value(platform.copy_context_string("Bin", context_string_size), "Bin");
    platform.close_context();

    platform.set_path_variable(compose_path_value(
        kind, tool_directory, bin, platform.get_path_variable().value_or(""), style));

    const std::string executable = compose_executable_path(kind, tool_directory, style);
    if (executable.size() > max_path_length) {
        throw FatalError(fill_format(path_too_long_format, {executable}), status_failed);
    }
    if (!executable_present(platform, executable)) {
        throw FatalError(fill_format(missing_executable_format, {executable}), status_failed);
    }

    const bool started = kind == ToolKind::SYNPLIFY
                             ? run_through_link_library(platform, tool_directory) != -1
                             : start_tool_process(platform, executable) != 0;
    if (!started) {
        throw FatalError(spawn_failure_text, status_spawn_failed);
    }
    return status_started;
}

} // namespace

bool executable_present(Platform& platform, const std::string& path) {
    const std::optional<std::uint64_t> size = platform.file_size(path);
    return size && *size != 0;
}

long long start_tool_process(Platform& platform, const std::string& path) {
    const std::optional<ChildPoll> child = platform.start_process(path);
    if (!child) {
        platform.show_last_error();
        return 0;
    }
    if (child->poll_ok && child->exit_code != 0) {
        return child->exit_code;
    }
    return 1;
}

bool load_link_library(Platform& platform) {
    for (int round = 0; round < max_unload_rounds && platform.free_loaded_link_copy(); ++round) {
    }
    if (!platform.load_link_library()) {
        return false;
    }
    for (int ordinal : link_ordinals) {
        if (!platform.resolve_link_ordinal(ordinal)) {
            return false;
        }
    }
    return true;
}

void release_link_library(Platform& platform) {
    platform.free_link_library();
}

int run_through_link_library(Platform& platform, const std::string& tool_directory) {
    if (tool_directory.empty()) {
        launcher_log(platform, bad_synplify_directory_log);
        release_link_library(platform);
        return -1;
    }
    if (!load_link_library(platform)) {
        launcher_log(platform, load_failure_log);
        release_link_library(platform);
        return -1;
    }
    platform.lower_thread_priority();
    std::int32_t result = 0;
    platform.call_link_entry_4(tool_directory, result);
    release_link_library(platform);
    return 0;
}

int run_launcher(Platform& platform, const std::vector<std::string>& tokens,
                 const PathStyle& style) {
    try {
        return run(platform, tokens, style);
    } catch (const FatalError& error) {
        platform.error_box(error.message());
        return error.status();
    }
}

} // namespace toolrun
