#include "launcher/host_output.hpp"

#include <string>

namespace toolrun {

void forward_output(Platform& platform, std::string_view text) {
    while (text.size() > proc_msg_piece_length) {
        platform.output_proc_msg(std::string(text.substr(0, proc_msg_piece_length)));
        text.remove_prefix(proc_msg_piece_length);
    }
    platform.output_proc_msg(std::string(text));
}

void launcher_log(Platform& platform, std::string_view message) {
    const std::string text(message.substr(0, log_message_length));
    forward_output(platform, text);
    platform.append_log(text);
}

} // namespace toolrun
