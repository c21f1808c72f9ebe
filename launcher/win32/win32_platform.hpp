// The launcher on Windows: the host's context and process-manager libraries,
// message boxes, CreateProcessA and qrylink.dll loaded with LoadLibraryA.
#pragma once

#include "launcher/host/host_libraries.hpp"
#include "launcher/log_file.hpp"
#include "launcher/platform.hpp"

#include <windows.h>

namespace toolrun {

class Win32Platform final : public Platform {
  public:
    Win32Platform() = default;
    ~Win32Platform() override = default;

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
    KRVEDAContext context_ = nullptr;
    LogFile log_;
    HMODULE link_library_ = nullptr;
    QrylinkEntry4 entry_4_ = nullptr;
};

} // namespace toolrun
