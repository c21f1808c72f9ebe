#include "common/header_copy.hpp"

#include "common/fatal_error.hpp"

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace ipgen {

namespace {

// A header is a banner of a few lines; a "header.v" that goes on past this
// (a link to /dev/zero, say) would otherwise fill the disk with every copy.
constexpr size_t header_size_limit = size_t{16} << 20;

// Copies the file byte for byte; false when it cannot be opened or read, or
// when it is longer than `limit` bytes.
bool copy_verbatim(TextSink& out, const std::string& path, size_t limit) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "r"),
                                                             &std::fclose);
    if (!in) {
        return false;
    }
    // Lines of any length pass through unchanged: the copy is by blocks.
    std::array<char, 4096> block{};
    size_t count = 0;
    size_t total = 0;
    while ((count = std::fread(block.data(), 1, block.size(), in.get())) > 0) {
        total += count;
        if (total > limit) {
            return false;
        }
        out.write(std::string_view(block.data(), count));
    }
    return std::ferror(in.get()) == 0;
}

} // namespace

void copy_header(TextSink& out, const std::string& path) {
    if (!copy_verbatim(out, path, header_size_limit)) {
        throw cannot_open(header_file_name);
    }
}

void append_file(TextSink& out, const std::string& path) {
    if (!copy_verbatim(out, path, SIZE_MAX)) {
        throw cannot_open(path);
    }
}

} // namespace ipgen
