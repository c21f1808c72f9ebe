#include "ipgen/front_end.hpp"

#include "generators/common/fatal_error.hpp"
#include "ipgen/core_folder.hpp"
#include "ipgen/folder_writer.hpp"
#include "ipgen/model_command.hpp"
#include "ipgen/options.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace ipgen::front {

namespace {

// --help and --version: a failed write is a failure.
int print(const std::string& text) {
    if (std::fputs(text.c_str(), stdout) == EOF || std::fflush(stdout) != 0) {
        throw FatalError(
            "ipgen: cannot write to standard output: " + std::string(std::strerror(errno)) + "\n",
            1);
    }
    return 0;
}

} // namespace

int run_ipgen(const std::vector<std::string>& args) {
    const bool info = std::find_if(args.begin(), args.end(), [](const std::string& a) {
                          return a == "--help" || a == "--version";
                      }) != args.end();
    if (!args.empty() && args.front() == "model" && !info) {
        return run_model_command({args.begin() + 1, args.end()});
    }
    const CommandLine line = parse_command_line(args);
    if (line.describe) {
        std::fputs(describe_json(*line.core).c_str(), stdout);
        return 0;
    }
    if (line.help) {
        return print(help_text());
    }
    if (line.version) {
        return print("ipgen (fpga-ip-generators) " IPGEN_VERSION "\n");
    }
    const std::string header = folder_header(line);
    // Refused before the build, which may take long; checked again while
    // the folder is written.
    check_out_folder(line.out, line.force);
    write_folder(line.out, assemble_folder(folder_request(line, header)), line.force);
    return 0;
}

} // namespace ipgen::front
