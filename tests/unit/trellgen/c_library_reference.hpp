// The C library's own formatted input over a byte string (fmemopen), for
// comparing the reading primitives with what fscanf and fgets really do.
#pragma once

#include <cstdio>
#include <string>

namespace ipgen::viterbi::test {

class MemoryStream {
  public:
    explicit MemoryStream(const std::string& bytes)
        : bytes_(bytes.empty() ? std::string(1, '\0') : bytes),
          file_(fmemopen(bytes_.data(), bytes.size(), "r")) {}
    ~MemoryStream() {
        if (file_ != nullptr) {
            std::fclose(file_);
        }
    }
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;

    std::FILE* get() const { return file_; }
    long position() const { return std::ftell(file_); }

  private:
    std::string bytes_;
    std::FILE* file_;
};

} // namespace ipgen::viterbi::test
