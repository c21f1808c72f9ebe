// Runs a built program the way a user does: in a directory of its own, with
// given arguments, capturing what it prints and its exit status.
#pragma once

#include <string>
#include <vector>

namespace ipgen::test {

struct RunResult {
    int exit_status = -1; // 0..255, or -1 when the program did not exit normally
    int signal = 0;       // the signal that ended it, if any
    std::string out;      // standard output
    std::string err;      // standard error
};

// Starts `program` with `args` in `directory` (never through a shell);
// standard input is `input` (empty: /dev/null-like end of file at once).
RunResult run_program(const std::string& program, const std::vector<std::string>& args,
                      const std::string& directory, const std::string& input = "");

// Like run_program, but the program is held to the file permissions even when
// the tests run as root: the capabilities that let root read, write and
// search past them (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH) are taken out of
// its bounding set, so a read-only directory or a file without read
// permission stops it as it stops any user. Throws when they cannot be
// dropped.
RunResult run_program_confined(const std::string& program, const std::vector<std::string>& args,
                               const std::string& directory, const std::string& input = "");

} // namespace ipgen::test
