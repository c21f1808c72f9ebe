// Replacing a file the user keeps (user_params.txt) so that it is never
// lost: the new content goes to a temporary file in the same directory,
// which is then renamed over the old one. Either the new file is complete
// or the old one is untouched.
#pragma once

#include <string>
#include <string_view>

namespace ipgen::fir::param {

enum class ReplaceResult {
    replaced,
    cannot_create, // not a regular file, no write permission, no temporary file
    cannot_write,  // a write, the sync or the rename failed (a full disk, ulimit -f)
};

// The new file keeps the old one's permission bits (a new file gets those
// of fopen: 0666 less the umask). A symbolic link is followed: the regular
// file it names is replaced and the link stays. Nothing is changed when the
// existing entry is not a regular file (a directory, a FIFO, a device such
// as /dev/full) or has no write permission, nor when anything else fails.
// The temporary file is removed on failure and on SIGINT, SIGTERM, SIGHUP.
ReplaceResult replace_file(const std::string& path, std::string_view content);

} // namespace ipgen::fir::param
