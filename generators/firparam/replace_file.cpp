#include "generators/firparam/replace_file.hpp"

#include "generators/common/temporary_file.hpp"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace ipgen::fir::param {

namespace {

mode_t mode_for(const std::string& path) {
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) {
        return old.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool write_all(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The file the replacement goes to: `path` itself, or the regular file a
// symbolic link at `path` leads to (the link stays a link). nullopt for what
// a plain "w" open could not have rewritten either (a file without write
// permission) or must not be replaced by a regular file (a directory, a
// device such as /dev/full, a dangling link).
std::optional<std::string> replacement_target(const std::string& path) {
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) != 0) {
        return errno == ENOENT ? std::optional(path) : std::nullopt;
    }
    std::string target = path;
    if (S_ISLNK(entry.st_mode)) {
        const std::unique_ptr<char, decltype(&std::free)> resolved(
            ::realpath(path.c_str(), nullptr), &std::free);
        if (!resolved || ::stat(resolved.get(), &entry) != 0) {
            return std::nullopt;
        }
        target = resolved.get();
    }
    if (!S_ISREG(entry.st_mode) || ::access(target.c_str(), W_OK) != 0) {
        return std::nullopt;
    }
    return target;
}

} // namespace

ReplaceResult replace_file(const std::string& link_or_path, std::string_view content) {
    const std::optional<std::string> target = replacement_target(link_or_path);
    if (!target) {
        return ReplaceResult::cannot_create;
    }
    const std::string& path = *target;
    const std::size_t slash = path.rfind('/');
    const std::string directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    TemporaryFile temporary(directory + "." + name + ".XXXXXX");
    if (!temporary.is_open()) {
        return ReplaceResult::cannot_create;
    }
    const int fd = temporary.fd();
    const bool written =
        ::fchmod(fd, mode_for(path)) == 0 && write_all(fd, content) && ::fsync(fd) == 0;
    if (!written || !temporary.rename_to(path)) {
        return ReplaceResult::cannot_write;
    }
    return ReplaceResult::replaced;
}

} // namespace ipgen::fir::param
