// The tools the launcher can start, fixed by one switch on its command line,
// and how each one's search path and executable are laid out below the
// directory the host context names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace toolrun {

enum class ToolKind { SYNPLIFY = 0, MODELSIM = 1, SPECTRUM = 2, PGMCFG = 3 };

struct ToolInfo {
    ToolKind kind;
    const char* switch_text; // e.g. "-modelsim"
    const char* context_key; // key of the tool's directory in the host context
    bool directory_is_path;  // read with the context's path call ("Root")
    const char* path_format; // the new PATH; "%s" are filled in order
    const char* executable_format;
};

const ToolInfo& tool_info(ToolKind kind);

// Picks the tool from the command-line tokens, the launcher's own name
// included: the first token equal (ignoring letter case) to one of the
// switches wins; no switch means Synplify.
ToolKind select_tool(const std::vector<std::string>& tokens);

} // namespace toolrun
