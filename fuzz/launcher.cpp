// toolrun's portable core: any bytes as its whole command line, split into
// tokens and searched for the tool switch, then the host context's values
// (Root, the tool's folder, Bin) and the old PATH composed into the new
// search path and the executable's path, in both path styles. Lines of the
// input: the command line, the tool's folder, Bin, the old PATH; the first
// byte picks the style.
#include "fuzz/fuzz_input.hpp"
#include "generators/common/fatal_error.hpp"
#include "launcher/command_line.hpp"
#include "launcher/path_style.hpp"
#include "launcher/tool_kind.hpp"
#include "launcher/tool_paths.hpp"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const toolrun::PathStyle& style =
        data[0] % 2 == 0 ? toolrun::posix_paths : toolrun::windows_paths;
    std::vector<std::string> fields = ipgen::fuzz::split_arguments(data + 1, size - 1);
    fields.resize(4);
    try {
        const toolrun::CommandLine line = toolrun::split_command_line(fields[0]);
        if (line.tokens.size() > toolrun::max_tokens) {
            __builtin_trap();
        }
        for (const std::string& token : line.tokens) {
            if (token.size() > toolrun::max_token_length) {
                __builtin_trap();
            }
        }
        const toolrun::ToolKind kind = toolrun::select_tool(line.tokens);
        const toolrun::ToolInfo& info = toolrun::tool_info(kind);
        if (info.kind != kind) {
            __builtin_trap();
        }
        const auto root = toolrun::trim_root(fields[1], style);
        const std::string directory = root ? *root : fields[1];
        toolrun::compose_path_value(kind, directory, fields[2], fields[3], style);
        toolrun::compose_executable_path(kind, directory, style);
    } catch (const ipgen::FatalError& error) {
        ipgen::fuzz::check_refusal(error);
    }
    return 0;
}
