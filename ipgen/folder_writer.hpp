// Writing the assembled folder to disk.
#pragma once

#include "ipgen/core_description.hpp"

#include <string>
#include <vector>

namespace ipgen::front {

// Refuses (status 2, nothing written) a folder that exists and is not empty
// unless `force`, and a path that exists but is no folder.
void check_out_folder(const std::string& dir, bool force);

// Creates the folder (and its parents) and writes every file. A folder or
// file that cannot be written: FatalError "ipgen: cannot write <path>:
// <reason>", status 1.
void write_folder(const std::string& dir, const std::vector<FolderFile>& files);

} // namespace ipgen::front
