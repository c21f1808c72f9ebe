// A temporary file beside a file the user keeps, renamed over it once it is
// complete. Until then its name is registered where the handlers of
// SIGINT, SIGTERM and SIGHUP find it: an interrupted run removes it and
// then ends with the signal, so no ".name.XXXXXX" is left behind.
#pragma once

#include <string>

namespace ipgen {

class TemporaryFile {
  public:
    // mkstemp(path_template); the template ends in "XXXXXX". Installs the
    // signal handlers on first use (a signal the program was started with
    // ignored, as under nohup, stays ignored).
    explicit TemporaryFile(const std::string& path_template);
    // Closes and removes the file unless it was renamed.
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool is_open() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    const char* path() const;

    // Closes the file and renames it to `target`; false (the file is then
    // removed) when the close or the rename fails.
    bool rename_to(const std::string& target);

  private:
    void release();

    int slot_ = -1;        // the registered name, -1 when none was free
    std::string own_path_; // the name when no slot was free
    int fd_ = -1;
};

// Removes every registered temporary file. Async-signal-safe: for the
// handlers and for the end of a run that cannot go on (out of memory).
void remove_temporary_files();

} // namespace ipgen
