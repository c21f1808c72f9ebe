// Faults the tests inject around a program run: an output that lands on a
// full disk (a symbolic link to /dev/full), an output name taken by a
// directory or by a FIFO nobody opens, an input without read permission or
// beyond the size cap, a working directory without write permission, a
// file-size or memory limit; and a record of a directory's entries to check
// what a failing run leaves behind.
#pragma once

#include "program_runner.hpp"
#include "test_files.hpp"

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <map>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace ipgen::test {

// Each entry of a directory: a regular file's bytes, "-> target" for a
// symbolic link, "<directory>" followed by its entries for a directory.
inline std::map<std::string, std::string> snapshot(const std::string& dir) {
    std::map<std::string, std::string> entries;
    for (const std::string& name : list_directory(dir)) {
        const std::string path = dir + "/" + name;
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) {
            continue;
        }
        if (S_ISLNK(info.st_mode)) {
            char target[256] = {};
            const ssize_t length = ::readlink(path.c_str(), target, sizeof target - 1);
            entries[name] = "-> " + std::string(target, length > 0 ? length : 0);
        } else if (S_ISDIR(info.st_mode)) {
            std::string listing = "<directory>";
            for (const std::string& inner : list_directory(path)) {
                listing += " " + inner;
            }
            entries[name] = listing;
        } else if (S_ISFIFO(info.st_mode)) {
            entries[name] = "<fifo>"; // reading it would wait for a writer
        } else if (::access(path.c_str(), R_OK) == 0 || ::geteuid() == 0) {
            entries[name] = read_file(path);
        }
    }
    return entries;
}

inline void full_disk_at(const TempDir& dir, const std::string& name) {
    if (::symlink("/dev/full", dir.file(name).c_str()) != 0) {
        throw std::runtime_error("cannot link " + name + " to /dev/full");
    }
}

inline void directory_at(const TempDir& dir, const std::string& name) {
    if (::mkdir(dir.file(name).c_str(), 0755) != 0) {
        throw std::runtime_error("cannot make the directory " + name);
    }
}

// Takes every permission from a file (run the program confined: root reads
// past permissions otherwise).
inline void make_unreadable(const TempDir& dir, const std::string& name) {
    ::chmod(dir.file(name).c_str(), 0);
}

// The directory's write permission, taken for the lifetime of this object
// (run the program confined).
class ReadOnlyDirectory {
  public:
    explicit ReadOnlyDirectory(const TempDir& dir) : path_(dir.path()) {
        ::chmod(path_.c_str(), 0555);
    }
    ~ReadOnlyDirectory() { ::chmod(path_.c_str(), 0755); }
    ReadOnlyDirectory(const ReadOnlyDirectory&) = delete;
    ReadOnlyDirectory& operator=(const ReadOnlyDirectory&) = delete;

  private:
    std::string path_;
};

// A FIFO at `name` that nobody else opens: a program that opened it to
// read or write would wait there for ever. Should a run still wait after a
// few seconds, the guard opens the other end itself, so the run goes on
// (and the test fails) instead of hanging the suite.
class FifoAt {
  public:
    FifoAt(const TempDir& dir, const std::string& name) : FifoAt(dir.file(name)) {}
    explicit FifoAt(const std::string& path) : path_(path) {
        if (::mkfifo(path_.c_str(), 0644) != 0) {
            throw std::runtime_error("cannot make the FIFO " + path);
        }
        guard_ = std::thread([this] {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (!done_) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                if (std::chrono::steady_clock::now() > deadline) {
                    const int fd = ::open(path_.c_str(), O_RDWR | O_NONBLOCK);
                    if (fd >= 0) {
                        ::close(fd);
                    }
                }
            }
        });
    }
    ~FifoAt() {
        done_ = true;
        guard_.join();
    }
    FifoAt(const FifoAt&) = delete;
    FifoAt& operator=(const FifoAt&) = delete;

  private:
    std::string path_;
    std::atomic<bool> done_{false};
    std::thread guard_;
};

inline const std::string fifo_entry = "<fifo>";

// A file of `size` zero bytes that takes no disk space (a hole).
inline void sparse_file_at(const TempDir& dir, const std::string& name, off_t size) {
    const int fd = ::open(dir.file(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::ftruncate(fd, size) != 0 || ::close(fd) != 0) {
        throw std::runtime_error("cannot make the sparse file " + name);
    }
}

// One byte beyond the 16 MiB every program reads of an input.
inline constexpr off_t beyond_input_cap = (off_t{16} << 20) + 1;

// Runs the program under a shell limit such as "ulimit -f 0" (no file may
// grow: every write fails as on a full disk) or "ulimit -v 20000" (little
// memory). Standard output and error, merged, reach the test through a
// pipe (which the limits do not cover), followed by "status <exit status>";
// a program killed by a signal shows as status 128 + the signal.
inline RunResult run_limited(const std::string& limit, const std::string& program,
                             const std::vector<std::string>& args, const std::string& directory) {
    std::vector<std::string> shell = {
        "-c", "(" + limit + "; \"$0\" \"$@\" 2>&1; echo \"status $?\") | cat", program};
    shell.insert(shell.end(), args.begin(), args.end());
    return run_program("/bin/sh", shell, directory);
}

using Entries = std::map<std::string, std::string>;

// What a run that stops at outputs[stop] leaves behind: the user's files as
// they were, the outputs before it complete (as in `complete`), the faulty
// entry as it was made, nothing after it.
inline Entries entries_after_stop(Entries inputs, const Entries& complete,
                                  const std::vector<std::string>& outputs, size_t stop,
                                  const std::string& faulty_entry) {
    for (size_t i = 0; i < stop; ++i) {
        inputs[outputs[i]] = complete.at(outputs[i]);
    }
    inputs[outputs[stop]] = faulty_entry;
    return inputs;
}

inline const std::string full_disk_entry = "-> /dev/full";
inline const std::string empty_directory_entry = "<directory>";

} // namespace ipgen::test
