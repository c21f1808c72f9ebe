// The POSIX stand-in's view of the host: the context is a KEY=VALUE file
// named by TOOLRUN_CONTEXT, message boxes are lines on standard error, the
// process manager's pieces too, tools start with posix_spawn (never through
// a shell), and qrylink is the shared library "libqrylink.so", its entry
// points named qrylink_ordinal_<n>.
#pragma once

#include "launcher/log_file.hpp"
#include "launcher/platform.hpp"

#include <cstdio>
#include <map>
#include <string>

namespace toolrun {

inline constexpr const char* context_variable = "TOOLRUN_CONTEXT";
inline constexpr const char* posix_link_library = "libqrylink.so";

class PosixPlatform final : public Platform {
  public:
    // `context_file`: the context's file, null when the variable is unset.
    PosixPlatform(const char* context_file, std::FILE* messages);
    ~PosixPlatform() override;

    bool open_context() override;
    std::optional<std::string> copy_context_string(const std::string& key, int size) override;
    std::optional<std::string> copy_context_path(const std::string& key, int size) override;
    void close_context() override;

    void error_box(const std::string& text) override;
    void show_last_error() override;
    void output_proc_msg(const std::string& piece) override;
    bool append_log(const std::string& text) override { return log_.append(text); }

    std::optional<std::string> get_path_variable() override;
    void set_path_variable(const std::string& value) override;
    std::optional<std::uint64_t> file_size(const std::string& path) override;
    std::optional<ChildPoll> start_process(const std::string& path) override;

    bool free_loaded_link_copy() override;
    bool load_link_library() override;
    bool resolve_link_ordinal(int ordinal) override;
    void lower_thread_priority() override;
    void call_link_entry_4(const std::string& tool_directory, std::int32_t& result) override;
    void free_link_library() override;

  private:
    using Entry4 = int (*)(const char*, std::int32_t*);

    std::string context_file_;
    bool has_context_file_;
    std::FILE* messages_;
    std::map<std::string, std::string> context_;
    LogFile log_; // opened without waiting: a FIFO in its place is not a log
    int last_error_ = 0;
    void* link_library_ = nullptr;
    Entry4 entry_4_ = nullptr;
};

} // namespace toolrun
