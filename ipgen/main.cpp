// ipgen: writes a complete, self-checking core folder from one command.
#include "generators/common/fatal_error.hpp"
#include "generators/common/process_guard.hpp"
#include "ipgen/folder_writer.hpp"
#include "ipgen/front_end.hpp"

#include <cstdio>

int main(int argc, char** argv) {
    ipgen::guard_process("ipgen", stderr);
    ipgen::front::catch_interruptions();
    try {
        return ipgen::front::run_ipgen(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const ipgen::FatalError& error) {
        std::fputs(error.message().c_str(), stderr);
        return error.status();
    }
}
