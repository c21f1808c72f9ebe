// Writing the assembled folder to disk, so that --out is at every moment
// either the folder it was or the complete new one.
//
// The files are written into a temporary folder, each flushed to the disk
// and closed, and only then moved into place; the whole write holds a lock
// on the folder that holds --out, so two runs on one --out follow each
// other. A new --out is the temporary folder (".<name>.ipgen-XXXXXX" beside
// it) renamed to its name. An existing one keeps its identity (a mount
// point, its permissions, what else the user keeps in it): the temporary
// folder is made inside it (".ipgen-XXXXXX", so every rename stays on its
// file system), each new file is renamed over the old one of its name (a
// symbolic link of that name is replaced, never followed), then the files
// of the earlier run that this one does not write (named in its
// ".ipgen-files") are moved out into the temporary folder, which is removed
// last. A rename that fails undoes those before it, from hard links of the
// old files kept in the temporary folder.
//
// SIGINT, SIGTERM and SIGHUP wait while the folder is written; the run
// looks for them between files and while it waits for the lock: then the
// temporary folder is removed, one line says so, and the run ends with the
// signal. One that comes while the files are moved is dropped: the run ends
// as if it had come after.
#pragma once

#include "ipgen/core_description.hpp"

#include <string>
#include <vector>

namespace ipgen::front {

// The list of the files a run wrote, kept in the folder for the next
// --force to know which files are its own.
inline constexpr const char* manifest_name = ".ipgen-files";

// Called first in main: SIGINT, SIGTERM and SIGHUP (unless started
// ignored, as under nohup) print "ipgen: interrupted by SIG...; nothing
// written" and end the run with the signal.
void catch_interruptions();

// Refuses (status 2, nothing written) a path that exists and is no folder,
// a symbolic link, and a folder that is not empty unless `force`; a folder
// that cannot be listed: "ipgen: cannot read <dir>: <reason>", status 1.
void check_out_folder(const std::string& dir, bool force);

// Checks the folder again under the lock, as above, and writes it. A file
// that cannot be written: FatalError "ipgen: cannot write <path>:
// <reason>", status 1, and the folder as it was.
void write_folder(const std::string& dir, const std::vector<FolderFile>& files, bool force);

} // namespace ipgen::front
