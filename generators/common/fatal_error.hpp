// The one way a generator run ends early: a message for the user and the
// exit status the program documents for it. Libraries throw it; only a
// program's main() catches it, prints the message and returns the status.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace ipgen {

class FatalError : public std::exception {
  public:
    FatalError(std::string message, int status) : message_(std::move(message)), status_(status) {}

    // The complete text to print, line end included.
    const std::string& message() const noexcept { return message_; }
    int status() const noexcept { return status_; }
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    std::string message_;
    int status_;
};

// "Cannot open <name>\n" with exit status 1: the failure text the
// Reed-Solomon generators use for every file they cannot open or write.
FatalError cannot_open(const std::string& file_name);

} // namespace ipgen
