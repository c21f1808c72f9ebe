#include "ipgen/front_end.hpp"

#include "generators/common/fatal_error.hpp"
#include "generators/common/header_copy.hpp"
#include "generators/common/text_sink.hpp"
#include "ipgen/core_folder.hpp"
#include "ipgen/folder_writer.hpp"
#include "ipgen/options.hpp"

#include <cstdio>

namespace ipgen::front {

namespace {

std::string header_text(const CommandLine& line) {
    if (!line.header_file) {
        return "//////////////////////////////////////////////////////////////////////\n"
               "// Written by ipgen " IPGEN_VERSION " (" +
               line.core->name +
               "): do not edit; rerun ipgen.\n"
               "//////////////////////////////////////////////////////////////////////\n";
    }
    StringSink header;
    try {
        copy_header(header, *line.header_file);
    } catch (const FatalError&) {
        throw FatalError("ipgen: cannot read --header " + *line.header_file + "\n", 1);
    }
    return header.take();
}

} // namespace

int run_ipgen(const std::vector<std::string>& args) {
    const CommandLine line = parse_command_line(args);
    if (line.describe) {
        std::fputs(describe_json(*line.core).c_str(), stdout);
        return 0;
    }
    if (line.help) {
        std::fputs(help_text().c_str(), stdout);
        return 0;
    }
    if (line.version) {
        std::fputs("ipgen (fpga-ip-generators) " IPGEN_VERSION "\n", stdout);
        return 0;
    }
    const std::string header = header_text(line);
    FolderRequest request;
    request.core = line.core;
    request.build = build_core(line, header);
    request.sources = embedded_core_files(line.core->source_dir);
    request.prefix = line.prefix;
    request.version = IPGEN_VERSION;
    check_out_folder(line.out, line.force);
    write_folder(line.out, assemble_folder(std::move(request)));
    return 0;
}

} // namespace ipgen::front
