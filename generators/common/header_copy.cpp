#include "generators/common/header_copy.hpp"

#include "generators/common/fatal_error.hpp"
#include "generators/common/input_file.hpp"

#include <array>

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

void append_file(TextSink& out, const std::string& path) {
    InputFile in(path);
    // Lines of any length pass through unchanged: the copy is by blocks.
    std::array<char, 1 << 16> block; // NOLINT: filled by read before use
    std::size_t count = 0;
    while ((count = in.read(block.data(), block.size())) > 0) {
        out.write(std::string_view(block.data(), count));
    }
    if (!in.is_open()) {
        throw cannot_open(path);
    }
}

} // namespace ipgen
