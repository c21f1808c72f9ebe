#include "common/output_file.hpp"

#include "common/fatal_error.hpp"

namespace ipgen {

namespace {
constexpr size_t output_buffer_size = 1 << 16;
}

FatalError cannot_open(const std::string& file_name) {
    return FatalError("Cannot open " + file_name + "\n", 1);
}

OutputFile::OutputFile(std::string name) : name_(std::move(name)) {
    file_ = std::fopen(name_.c_str(), "w");
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
    buffer_.append(text);
    if (buffer_.size() >= output_buffer_size) {
        flush_buffer();
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
