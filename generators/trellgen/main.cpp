// trellgen: writes parameters.v of the Viterbi decoder core from the user's
// viterbi_params.v. Messages go to standard output.
#include "generators/common/fatal_error.hpp"
#include "generators/common/process_guard.hpp"
#include "generators/common/program_info.hpp"
#include "generators/trellgen/trellgen.hpp"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    ipgen::guard_process("trellgen", stdout);
    if (const auto status = ipgen::answer_help_or_version("trellgen", argc, argv)) {
        return *status;
    }
    try {
        return ipgen::viterbi::run_trellgen(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const ipgen::FatalError& error) {
        std::fputs(error.message().c_str(), stdout);
        return error.status();
    }
}
