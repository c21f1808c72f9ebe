// "toolrun.err": opened on the first message (appended to when it exists,
// created when not) and kept open until the launcher ends.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace toolrun {

inline constexpr const char* log_file_name = "toolrun.err";

class LogFile {
  public:
    explicit LogFile(std::string path = log_file_name) : path_(std::move(path)) {}

    // Writes the text unchanged; false when the file cannot be opened.
    bool append(const std::string& text);

  private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::string path_;
    std::unique_ptr<std::FILE, Closer> file_;
};

} // namespace toolrun
