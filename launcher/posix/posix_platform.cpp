#include "launcher/posix/posix_platform.hpp"

#include "generators/common/input_file.hpp"
#include "generators/common/output_file.hpp"
#include "launcher/context_file.hpp"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

extern char** environ;

namespace toolrun {

namespace {

// GetExitCodeProcess's code for a process that has not ended.
constexpr std::uint32_t still_active = 259;

std::string entry_name(int ordinal) {
    return "qrylink_ordinal_" + std::to_string(ordinal);
}

} // namespace

namespace {

std::FILE* open_log_without_waiting(const std::string& path) {
    return ipgen::open_output(path, true);
}

} // namespace

PosixPlatform::PosixPlatform(const char* context_file, std::FILE* messages)
    : context_file_(context_file != nullptr ? context_file : ""),
      has_context_file_(context_file != nullptr), messages_(messages),
      log_(log_file_name, open_log_without_waiting) {}

PosixPlatform::~PosixPlatform() {
    free_link_library();
}

bool PosixPlatform::open_context() {
    if (!has_context_file_) {
        return false;
    }
    // Only a regular file of at most 16 MiB is a context, as every other
    // input: a directory opens but reads nothing, a FIFO would wait for a
    // writer, a device such as /dev/zero never ends.
    const ipgen::InputText text = ipgen::read_input_file(context_file_);
    if (!text.ok()) {
        return false;
    }
    context_ = parse_context_file(text.text);
    return true;
}

std::optional<std::string> PosixPlatform::copy_context_string(const std::string& key, int size) {
    return copy_context_value(context_, key, size);
}

std::optional<std::string> PosixPlatform::copy_context_path(const std::string& key, int size) {
    return copy_context_value(context_, key, size);
}

void PosixPlatform::close_context() {
    context_.clear();
}

void PosixPlatform::error_box(const std::string& text) {
    std::fprintf(messages_, "Error Message: %s\n", text.c_str());
}

void PosixPlatform::show_last_error() {
    std::fprintf(messages_, "GetLastError: %s\n", std::strerror(last_error_));
}

void PosixPlatform::output_proc_msg(const std::string& piece) {
    std::fprintf(messages_, "SKOutputProcMsg: %s", piece.c_str());
    if (piece.empty() || piece.back() != '\n') {
        std::fputc('\n', messages_);
    }
}

std::optional<std::string> PosixPlatform::get_path_variable() {
    const char* value = std::getenv("PATH");
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

void PosixPlatform::set_path_variable(const std::string& value) {
    ::setenv("PATH", value.c_str(), 1);
}

std::optional<std::uint64_t> PosixPlatform::file_size(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    // Only a regular file has a size that means something here (Windows
    // reports a folder's size as 0).
    return S_ISREG(status.st_mode) ? static_cast<std::uint64_t>(status.st_size) : 0;
}

std::optional<ChildPoll> PosixPlatform::start_process(const std::string& path) {
    std::string program = path;
    char* argv[] = {program.data(), nullptr};
    // The launcher ignores SIGXFSZ (a failed write is reported instead); the
    // tool starts with the default action, as it would from the host.
    posix_spawnattr_t attributes;
    ::posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGXFSZ);
    ::posix_spawnattr_setsigdefault(&attributes, &defaults);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, path.c_str(), nullptr, &attributes, argv, environ);
    ::posix_spawnattr_destroy(&attributes);
    if (spawned != 0) {
        last_error_ = spawned;
        return std::nullopt;
    }
    ChildPoll poll;
    int status = 0;
    const pid_t polled = ::waitpid(pid, &status, WNOHANG);
    if (polled == 0) {
        poll.poll_ok = true;
        poll.exit_code = still_active;
    } else if (polled == pid) {
        poll.poll_ok = true;
        poll.exit_code = WIFEXITED(status) ? static_cast<std::uint32_t>(WEXITSTATUS(status))
                                           : 128u + static_cast<std::uint32_t>(WTERMSIG(status));
    }
    return poll;
}

bool PosixPlatform::free_loaded_link_copy() {
    void* loaded = ::dlopen(posix_link_library, RTLD_NOW | RTLD_NOLOAD);
    if (loaded == nullptr) {
        return false;
    }
    ::dlclose(loaded); // the reference RTLD_NOLOAD just took
    return ::dlclose(loaded) == 0;
}

bool PosixPlatform::load_link_library() {
    link_library_ = ::dlopen(posix_link_library, RTLD_NOW | RTLD_LOCAL);
    return link_library_ != nullptr;
}

bool PosixPlatform::resolve_link_ordinal(int ordinal) {
    void* entry = ::dlsym(link_library_, entry_name(ordinal).c_str());
    if (entry != nullptr && ordinal == 4) {
        entry_4_ = reinterpret_cast<Entry4>(entry);
    }
    return entry != nullptr;
}

void PosixPlatform::lower_thread_priority() {
    ::setpriority(PRIO_PROCESS, 0, 19);
}

void PosixPlatform::call_link_entry_4(const std::string& tool_directory, std::int32_t& result) {
    if (entry_4_ != nullptr) {
        entry_4_(tool_directory.c_str(), &result);
    }
}

void PosixPlatform::free_link_library() {
    if (link_library_ != nullptr) {
        ::dlclose(link_library_);
        link_library_ = nullptr;
        entry_4_ = nullptr;
    }
}

} // namespace toolrun
