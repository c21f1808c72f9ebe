// Faults the tests inject around a program run: an output that lands on a
// full disk (a symbolic link to /dev/full), an output name taken by a
// directory, an input without read permission, a working directory without
// write permission; and a record of a directory's entries to check what a
// failing run leaves behind.
#pragma once

#include "test_files.hpp"

#include <map>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
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
