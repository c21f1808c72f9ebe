// The inputs the programs read by fixed names in the working directory
// ("header.v", "viterbi_params.v", "user_params.txt", "cin.dec", ...). Such a
// name can be anything the user left there: a FIFO that nobody writes, a
// terminal, a device that never ends. An input is opened without waiting
// and taken only when the opened descriptor is a regular file, so the
// program never hangs on it; its size is capped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ipgen {

// Parameter files, coefficient files and headers are a few kilobytes.
inline constexpr std::size_t max_input_size = std::size_t{16} << 20;

enum class InputFailure {
    none,
    missing,     // no such file
    not_regular, // a directory, FIFO, device or socket
    too_large,   // beyond the cap
    unreadable,  // the open or a read failed (no permission, no memory, ...)
};

class InputFile {
  public:
    // Opens `path` for reading; check failure() before reading.
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    InputFailure failure() const { return failure_; }
    bool is_open() const { return failure_ == InputFailure::none; }
    std::uint64_t size() const { return size_; }

    // Up to `capacity` bytes into `buffer`; 0 at the end of the file and
    // after a failed read (failure() then tells).
    std::size_t read(char* buffer, std::size_t capacity);

    // Why the file cannot be used, for a message: "No such file or
    // directory", "not a regular file", "larger than 16 MiB", "Permission
    // denied", ...
    std::string cause() const;

  private:
    int fd_ = -1;
    InputFailure failure_ = InputFailure::none;
    int error_ = 0; // errno of a failed open or read
    std::uint64_t size_ = 0;
};

// The whole file, or the reason why not.
struct InputText {
    std::string text;
    InputFailure failure = InputFailure::none;
    std::string cause; // empty when the read succeeded

    bool ok() const { return failure == InputFailure::none; }
};

// Reads the whole regular file; a file longer than `limit` bytes is refused
// as too_large before anything of it is used.
InputText read_input_file(const std::string& path, std::size_t limit = max_input_size);

} // namespace ipgen
