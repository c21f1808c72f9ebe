#include "common/header_copy.hpp"

#include "common/fatal_error.hpp"
#include "common/input_file.hpp"

namespace ipgen {

void copy_header(TextSink& out, const std::string& path) {
    // Read whole before a byte is written: a header that cannot be used
    // (missing, not a regular file, beyond the cap, e.g. a link to
    // /dev/zero) leaves the output empty.
    const InputText header = read_input_file(path);
    if (!header.ok()) {
        throw cannot_open(header_file_name);
    }
    out.write(header.text);
}

} // namespace ipgen
