#include "launcher/tool_kind.hpp"

#include <array>
#include <cctype>

namespace toolrun {

namespace {

// Indexed by ToolKind. Synplify and Spectrum keep their programs in
// subfolders of their installation, ModelSim at its top; the download tool
// lives beside the host's Root, which is the only directory read as a path.
constexpr std::array<ToolInfo, 4> tools = {{
    {ToolKind::SYNPLIFY, "-synplify", "SynplifyPath", false, "PATH=%s\\bin;%s;%s;",
     "%s\\bin\\synplify.exe"},
    {ToolKind::MODELSIM, "-modelsim", "ModelsimPath", false, "PATH=%s;%s;%s;", "%s\\modelsim.exe"},
    {ToolKind::SPECTRUM, "-spectrum", "SpectrumPath", false, "PATH=%s\\bin\\win32;%s;%s;",
     "%s\\bin\\win32\\leonardo.exe"},
    {ToolKind::PGMCFG, "-pgmcfg", "Root", true, "PATH=%s;%s;", "%s\\%s"},
}};

// The order in which a token is compared with the switches.
constexpr std::array<ToolKind, 4> switch_order = {ToolKind::MODELSIM, ToolKind::SPECTRUM,
                                                  ToolKind::SYNPLIFY, ToolKind::PGMCFG};

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace

const ToolInfo& tool_info(ToolKind kind) {
    return tools.at(static_cast<std::size_t>(kind));
}

ToolKind select_tool(const std::vector<std::string>& tokens) {
    for (const std::string& token : tokens) {
        for (ToolKind kind : switch_order) {
            if (equal_ignoring_case(token, tool_info(kind).switch_text)) {
                return kind;
            }
        }
    }
    return ToolKind::SYNPLIFY;
}

} // namespace toolrun
