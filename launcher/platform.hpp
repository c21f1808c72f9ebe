// What the launcher needs from the system it runs on and from the host
// environment's libraries. The Windows program implements it with the Win32
// API and the host's DLLs; the POSIX stand-in with files, posix_spawn and
// dlopen; unit tests with a scripted fake.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace toolrun {

// The state of a child tool right after it was started, polled without
// waiting.
struct ChildPoll {
    bool poll_ok = false;        // the poll itself worked
    std::uint32_t exit_code = 0; // nonzero while the child runs (STILL_ACTIVE)
};

class Platform {
  public:
    Platform() = default;
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;
    virtual ~Platform() = default;

    // The host's current context (KRVEDA... calls). A read answers nullopt
    // when the call fails; `size` is the buffer size the launcher offers.
    virtual bool open_context() = 0;
    virtual std::optional<std::string> copy_context_string(const std::string& key, int size) = 0;
    virtual std::optional<std::string> copy_context_path(const std::string& key, int size) = 0;
    virtual void close_context() = 0;

    // A box with the caption "Error Message", the error icon, brought to the
    // foreground and topmost, no owner window.
    virtual void error_box(const std::string& text) = 0;
    // The system's text for the last error, in a box captioned "GetLastError".
    virtual void show_last_error() = 0;
    // One piece of text for the host's process manager (SKOutputProcMsg).
    virtual void output_proc_msg(const std::string& piece) = 0;
    // Appends to the log file "toolrun.err" in the current folder, opening
    // it on first use; false when it cannot be opened.
    virtual bool append_log(const std::string& text) = 0;

    // The PATH variable (nullopt when unset), and setting it for the child.
    virtual std::optional<std::string> get_path_variable() = 0;
    virtual void set_path_variable(const std::string& value) = 0;
    // The size of a file whose status can be read.
    virtual std::optional<std::uint64_t> file_size(const std::string& path) = 0;

    // Starts the executable with the launcher's environment and current
    // folder, no arguments, and polls it once; nullopt when it could not be
    // started (the last error is then the reason).
    virtual std::optional<ChildPoll> start_process(const std::string& path) = 0;

    // The link library "qrylink.dll": free one copy already loaded in the
    // process (false when there is none), load it, resolve an entry point by
    // ordinal, call entry point 4, free the loaded copy.
    virtual bool free_loaded_link_copy() = 0;
    virtual bool load_link_library() = 0;
    virtual bool resolve_link_ordinal(int ordinal) = 0;
    virtual void lower_thread_priority() = 0;
    virtual void call_link_entry_4(const std::string& tool_directory, std::int32_t& result) = 0;
    virtual void free_link_library() = 0;
};

} // namespace toolrun
