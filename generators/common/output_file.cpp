#include "generators/common/output_file.hpp"

#include "generators/common/fatal_error.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ipgen {

namespace {
constexpr size_t output_buffer_size = 1 << 16;
}

std::FILE* open_output(const std::string& name, bool append) {
    // O_NONBLOCK: a FIFO without a reader fails at once (ENXIO) instead of
    // waiting for one; a FIFO with a reader is refused by the type check.
    const int fd =
        ::open(name.c_str(),
               O_WRONLY | O_CREAT | (append ? O_APPEND : O_TRUNC) | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        return nullptr;
    }
    struct stat status {};
    const bool usable = ::fstat(fd, &status) == 0 &&
                        (S_ISREG(status.st_mode) || S_ISCHR(status.st_mode)) &&
                        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0;
    std::FILE* file = usable ? ::fdopen(fd, append ? "a" : "w") : nullptr;
    if (file == nullptr) {
        ::close(fd);
    }
    return file;
}

FatalError cannot_open(const std::string& file_name) {
    return FatalError("Cannot open " + file_name + "\n", 1);
}

OutputFile::OutputFile(std::string name) : name_(std::move(name)) {
    file_ = open_output(name_);
    if (file_ != nullptr) {
        buffer_.reserve(output_buffer_size);
    }
}

OutputFile::~OutputFile() {
    close();
}

void OutputFile::write(std::string_view text) {
    if (file_ == nullptr || text.empty()) {
        return;
    }
    if (buffer_.size() + text.size() < output_buffer_size) {
        buffer_.append(text);
        return;
    }
    flush_buffer();
    if (text.size() < output_buffer_size) {
        buffer_.append(text);
    } else if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) {
        failed_ = true; // a large block goes to the file as it is, not through the buffer
    }
}

void OutputFile::flush_buffer() {
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
        failed_ = true;
    }
    buffer_.clear();
}

bool OutputFile::close() {
    if (file_ == nullptr) {
        return !failed_;
    }
    flush_buffer();
    if (std::fflush(file_) != 0 || std::ferror(file_) != 0) {
        failed_ = true;
    }
    if (std::fclose(file_) != 0) {
        failed_ = true;
    }
    file_ = nullptr;
    return !failed_;
}

void OutputFile::close_or_throw() {
    if (!close()) {
        throw cannot_open(name_);
    }
}

std::unique_ptr<OutputFile> create_output(const std::string& name) {
    auto file = std::make_unique<OutputFile>(name);
    if (!file->is_open()) {
        throw cannot_open(name);
    }
    return file;
}

} // namespace ipgen
