// The launcher's own messages on the link-library route: each goes to the
// host's process manager in pieces and is appended to "toolrun.err".
#pragma once

#include "launcher/platform.hpp"

#include <cstddef>
#include <string_view>

namespace toolrun {

// The process manager takes at most this many characters per call.
inline constexpr std::size_t proc_msg_piece_length = 255;
// A log message keeps at most this many characters.
inline constexpr std::size_t log_message_length = 512;

void forward_output(Platform& platform, std::string_view text);

void launcher_log(Platform& platform, std::string_view message);

} // namespace toolrun
