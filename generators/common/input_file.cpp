#include "generators/common/input_file.hpp"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ipgen {

namespace {

std::string too_large_cause(std::size_t limit) {
    return "larger than " + std::to_string(limit >> 20) + " MiB";
}

} // namespace

InputFile::InputFile(const std::string& path) {
    // O_NONBLOCK: opening a FIFO without a writer returns at once instead of
    // waiting for one; the type check below then refuses it.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        error_ = errno;
        failure_ = error_ == ENOENT ? InputFailure::missing : InputFailure::unreadable;
        return;
    }
    struct stat status {};
    if (::fstat(fd_, &status) != 0) {
        error_ = errno;
        failure_ = InputFailure::unreadable;
    } else if (!S_ISREG(status.st_mode)) {
        failure_ = InputFailure::not_regular;
    } else {
        size_ = static_cast<std::uint64_t>(status.st_size);
    }
}

InputFile::~InputFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::size_t InputFile::read(char* buffer, std::size_t capacity) {
    if (failure_ != InputFailure::none) {
        return 0;
    }
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, capacity);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            error_ = errno;
            failure_ = InputFailure::unreadable;
            return 0;
        }
    }
}

std::string InputFile::cause() const {
    switch (failure_) {
    case InputFailure::none:
        return {};
    case InputFailure::not_regular:
        return "not a regular file";
    case InputFailure::too_large:
        return too_large_cause(max_input_size);
    case InputFailure::missing:
    case InputFailure::unreadable:
        break;
    }
    return std::strerror(error_);
}

InputText read_input_file(const std::string& path, std::size_t limit) {
    InputFile file(path);
    InputText result;
    if (file.is_open() && file.size() > limit) {
        result.failure = InputFailure::too_large;
        result.cause = too_large_cause(limit);
        return result;
    }
    std::array<char, 1 << 16> block; // NOLINT: filled by read before use
    std::size_t got = 0;
    while ((got = file.read(block.data(), block.size())) > 0) {
        // The file may grow while it is read: the cap holds for what is read.
        if (result.text.size() + got > limit) {
            result.failure = InputFailure::too_large;
            result.cause = too_large_cause(limit);
            result.text.clear();
            return result;
        }
        result.text.append(block.data(), got);
    }
    if (!file.is_open()) {
        result.failure = file.failure();
        result.cause = file.cause();
        result.text.clear();
    }
    return result;
}

} // namespace ipgen
