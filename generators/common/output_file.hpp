// A generated file in the working directory. It is created (or truncated)
// in text mode when constructed, written through a large buffer, and
// remembers any failed write, so a full disk is reported instead of being
// taken for success.
#pragma once

#include "generators/common/text_sink.hpp"

#include <cstdio>
#include <memory>
#include <string>

namespace ipgen {

class OutputFile final : public TextSink {
  public:
    explicit OutputFile(std::string name);
    ~OutputFile() override;

    bool is_open() const { return file_ != nullptr; }
    const std::string& name() const { return name_; }

    void write(std::string_view text) override;

    // Flushes and closes; false when any write, the flush or the close failed.
    bool close();

    // Closes the file and throws cannot_open(name) when it was not written
    // completely.
    void close_or_throw();

  private:
    // Writes the buffered text to the file.
    void flush_buffer();

    std::string name_;
    std::FILE* file_ = nullptr;
    // Generated text arrives in short pieces; it is gathered here and handed
    // to the C library in large blocks (one call per block, not per piece).
    // A piece as large as a block goes to the file directly.
    std::string buffer_;
    bool failed_ = false;
};

// fopen(name, "w") (or "a" when `append`) that never waits: the file is
// created or truncated (appended to) and taken when it is a regular file or
// a character device (/dev/null); a FIFO, a directory or a block device
// gives nullptr, as a failed fopen.
std::FILE* open_output(const std::string& name, bool append = false);

// Creates the file or throws cannot_open(name).
std::unique_ptr<OutputFile> create_output(const std::string& name);

} // namespace ipgen
