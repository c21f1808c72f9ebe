#include "generators/common/temporary_file.hpp"

#include <array>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

namespace ipgen {

namespace {

// The names a signal handler may have to remove. A run keeps one or two
// temporary files at a time; a name that does not fit a slot is still
// created and removed on every ordinary path, just not from a handler.
struct Slot {
    volatile std::sig_atomic_t used = 0;
    char path[PATH_MAX] = {};
};
std::array<Slot, 4> slots;

constexpr std::array<int, 3> cleanup_signals = {SIGINT, SIGTERM, SIGHUP};

extern "C" void remove_and_end(int signal_number) {
    remove_temporary_files();
    // The signal is blocked while its handler runs: raised again with the
    // default action, it ends the process as soon as the handler returns,
    // with the status of that signal.
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);
}

void install_handlers() {
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    for (const int signal_number : cleanup_signals) {
        struct sigaction current {};
        if (::sigaction(signal_number, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) {
            continue;
        }
        struct sigaction action {};
        action.sa_handler = remove_and_end;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal_number, &action, nullptr);
    }
}

} // namespace

void remove_temporary_files() {
    for (Slot& slot : slots) {
        if (slot.used != 0) {
            ::unlink(slot.path);
        }
    }
}

TemporaryFile::TemporaryFile(const std::string& path_template) {
    install_handlers();
    char* name = nullptr;
    if (path_template.size() < PATH_MAX) {
        for (int i = 0; i < static_cast<int>(slots.size()); ++i) {
            Slot& slot = slots[static_cast<std::size_t>(i)];
            if (slot.used == 0) {
                std::memcpy(slot.path, path_template.c_str(), path_template.size() + 1);
                std::atomic_signal_fence(std::memory_order_seq_cst);
                slot.used = 1;
                slot_ = i;
                name = slot.path;
                break;
            }
        }
    }
    if (name == nullptr) {
        own_path_ = path_template;
        name = own_path_.data();
    }
    // mkstemp fills in the name before it creates the file: a handler that
    // runs in between removes a name that does not exist yet, harmlessly.
    fd_ = ::mkstemp(name);
    if (fd_ < 0) {
        release();
    }
}

TemporaryFile::~TemporaryFile() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
        ::unlink(path());
    }
    release();
}

const char* TemporaryFile::path() const {
    return slot_ >= 0 ? slots[static_cast<std::size_t>(slot_)].path : own_path_.c_str();
}

bool TemporaryFile::rename_to(const std::string& target) {
    if (fd_ < 0) {
        return false;
    }
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!closed || std::rename(path(), target.c_str()) != 0) {
        ::unlink(path());
        release();
        return false;
    }
    release();
    return true;
}

void TemporaryFile::release() {
    if (slot_ >= 0) {
        slots[static_cast<std::size_t>(slot_)].used = 0;
        slot_ = -1;
    }
}

} // namespace ipgen
