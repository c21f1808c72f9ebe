// corrgen: writes one configuration of the Reed-Solomon decoder core.
#include "generators/common/fatal_error.hpp"
#include "generators/common/process_guard.hpp"
#include "generators/common/program_info.hpp"
#include "generators/corrgen/corrgen.hpp"

#include <cstdio>

int main(int argc, char** argv) {
    ipgen::guard_process("corrgen", stderr);
    if (const auto status = ipgen::answer_help_or_version("corrgen", argc, argv)) {
        return *status;
    }
    try {
        return ipgen::rs::run_corrgen(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const ipgen::FatalError& error) {
        std::fputs(error.message().c_str(), stderr);
        return error.status();
    }
}
