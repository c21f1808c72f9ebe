// "toolrun.err": opened on the first message (appended to when it exists,
// created when not) and kept open until the launcher ends.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace toolrun {

inline constexpr const char* log_file_name = "toolrun.err";

// Opens the log for appending, creating it when it does not exist; nullptr
// when it cannot.
using LogOpener = std::FILE* (*)(const std::string& path);

// The portable opening: a file-existence test, then fopen "a" or "w".
std::FILE* open_log_file(const std::string& path);

class LogFile {
  public:
    explicit LogFile(std::string path = log_file_name, LogOpener open = open_log_file)
        : path_(std::move(path)), open_(open) {}

    // Writes the text unchanged; false when the file cannot be opened.
    bool append(const std::string& text);

  private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::string path_;
    LogOpener open_;
    std::unique_ptr<std::FILE, Closer> file_;
};

} // namespace toolrun
