// Replacing a file the user keeps (user_params.txt) so that it is never
// lost: the new content goes to a temporary file in the same directory,
// which is then renamed over the old one. Either the new file is complete
// or the old one is untouched.
#pragma once

#include <string>
#include <string_view>

namespace ipgen::fir::param {

// The new file keeps the old one's permission bits (a new file gets those
// of fopen: 0666 less the umask). A symbolic link is followed: the regular
// file it names is replaced and the link stays. False, with nothing
// changed, when the existing entry is not a regular file (a directory, a
// device such as /dev/full) or has no write permission, and when anything
// else fails (the temporary file is removed then).
bool replace_file(const std::string& path, std::string_view content);

} // namespace ipgen::fir::param
