// toolrun.exe: started by the host environment with a switch naming a tool;
// sets up what the host expects of it, then runs the launcher. A Windows
// program without a console: everything the user sees is a message box.
#include "launcher/command_line.hpp"
#include "launcher/launcher.hpp"
#include "launcher/win32/startup.hpp"
#include "launcher/win32/win32_platform.hpp"

#include <cstdio>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Registered twice, as by the host's two start-up initialisers; the
    // launcher itself never uses the identifiers.
    const UINT notify_messages[] = {toolrun::register_notify_message(),
                                    toolrun::register_notify_message()};
    (void)notify_messages;
    const char* command_line = ::GetCommandLineA();
    toolrun::create_hidden_window(instance, command_line);

    const toolrun::CommandLine line = toolrun::split_command_line(command_line);
    if (line.unmatched_quote) {
        std::fputs(toolrun::unmatched_quote_message, stderr);
    }
    toolrun::Win32Platform platform;
    return toolrun::run_launcher(platform, line.tokens, toolrun::windows_paths);
}
