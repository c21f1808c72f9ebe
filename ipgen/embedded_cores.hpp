// The cores' own sources (cores/<core>/ in the tree), built into the program
// from each core's manifest.txt so that the installed ipgen needs no data
// folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ipgen::front {

struct EmbeddedFile {
    std::string_view core; // folder under cores/, e.g. "rs_encoder"
    std::string_view kind; // rtl, tb, doc or lint (a Verilator waiver file)
    std::string_view name; // file name; common/<file> for a block shared by the cores
    std::string_view text;
};

// Every embedded file, core by core, each core's in manifest order.
const std::vector<EmbeddedFile>& embedded_files();

// The files of one core in manifest order; empty when the core has none.
std::vector<EmbeddedFile> embedded_core_files(std::string_view core);

} // namespace ipgen::front
