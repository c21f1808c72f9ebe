// What the launcher sets up for the host before its run: the host's notify
// message and a hidden window of the class the host looks for.
#pragma once

#include <windows.h>

namespace toolrun {

inline constexpr const char* notify_message_name = "Corvane Stockade notify message";
inline constexpr const char* window_class_name = "myStdioCommClass";

UINT register_notify_message();

// Registers the window class and creates the (never shown) window; a
// failure is reported in a box naming the command line and the run goes on.
void create_hidden_window(HINSTANCE instance, const char* command_line);

} // namespace toolrun
