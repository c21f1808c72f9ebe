// The files of a core folder, assembled in memory from a core's build and
// its embedded sources: the generated files, the core's Verilog, the
// testbench with tb_config.vh and its vectors, <name>.f, <name>.core,
// README.md and the Makefile. A block shared by the cores is renamed after
// the core (<core>_axis_queue), then the prefix is applied, once, to every
// Verilog text before the lists that name the files are written.
#pragma once

#include "ipgen/core_description.hpp"
#include "ipgen/embedded_cores.hpp"
#include "ipgen/options.hpp"

#include <string>
#include <vector>

namespace ipgen::front {

struct FolderRequest {
    const CoreDefinition* core = nullptr;
    CoreBuild build;
    std::vector<EmbeddedFile> sources; // the core's own files, manifest order
    std::string prefix;
    std::string version; // ipgen's, for the README and the FuseSoC name
};

// The request for a checked command line: the core's build with `header`
// on top of its generated files, its embedded sources, the prefix and
// ipgen's version.
FolderRequest folder_request(const CommandLine& line, const std::string& header);

// Every file of the folder, each name once.
std::vector<FolderFile> assemble_folder(FolderRequest request);

// The text at the top of the generated files: --header's file (read as
// input, status 1 when it cannot be) or ipgen's own three lines.
std::string folder_header(const CommandLine& line);

// The list of the files a run wrote (".ipgen-files"), kept in the folder
// for the next --force to know which files are its own.
std::string manifest_text(const std::vector<FolderFile>& files);

} // namespace ipgen::front
