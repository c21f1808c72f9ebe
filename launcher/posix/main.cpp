// toolrun, POSIX stand-in: the launcher's run with the host replaced by a
// context file, standard error and a stand-in link library, so the launcher
// can be built, run and tested on a POSIX system.
#include "generators/common/process_guard.hpp"
#include "launcher/command_line.hpp"
#include "launcher/launcher.hpp"
#include "launcher/posix/posix_platform.hpp"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    ipgen::guard_process("toolrun", stderr);
    // The arguments arrive already split; they keep the Windows program's
    // token limits.
    const std::vector<std::string> tokens = toolrun::limit_tokens({argv, argv + argc});
    toolrun::PosixPlatform platform(std::getenv(toolrun::context_variable), stderr);
    return toolrun::run_launcher(platform, tokens, toolrun::posix_paths);
}
