#include "generators/common/process_guard.hpp"

#include "generators/common/temporary_file.hpp"

#include <csignal>
#include <cstring>
#include <new>
#include <unistd.h>

namespace ipgen {

namespace {

const char* guarded_program = "";
std::FILE* guarded_messages = stderr;

void write_text(int fd, const char* text) {
    std::size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t written = ::write(fd, text, left);
        if (written <= 0) {
            return;
        }
        text += written;
        left -= static_cast<std::size_t>(written);
    }
}

// Called by operator new when no memory is left: nothing here allocates.
void out_of_memory() {
    std::fflush(guarded_messages); // the messages printed so far come first
    const int fd = ::fileno(guarded_messages);
    write_text(fd, guarded_program);
    write_text(fd, ": out of memory\n");
    remove_temporary_files();
    ::_exit(out_of_memory_status);
}

} // namespace

void guard_process(const char* program, std::FILE* messages) {
    guarded_program = program;
    guarded_messages = messages;
    std::signal(SIGXFSZ, SIG_IGN);
    std::set_new_handler(out_of_memory);
}

} // namespace ipgen
