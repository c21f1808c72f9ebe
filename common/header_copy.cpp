#include "common/header_copy.hpp"

#include "common/fatal_error.hpp"

#include <array>
#include <cstdio>
#include <memory>

namespace ipgen {

namespace {

// Copies the file byte for byte; false when it cannot be opened or read.
bool copy_verbatim(TextSink& out, const std::string& path) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "r"),
                                                             &std::fclose);
    if (!in) {
        return false;
    }
    // Lines of any length pass through unchanged: the copy is by blocks.
    std::array<char, 4096> block{};
    size_t count = 0;
    while ((count = std::fread(block.data(), 1, block.size(), in.get())) > 0) {
        out.write(std::string_view(block.data(), count));
    }
    return std::ferror(in.get()) == 0;
}

} // namespace

void copy_header(TextSink& out, const std::string& path) {
    if (!copy_verbatim(out, path)) {
        throw cannot_open(header_file_name);
    }
}

void append_file(TextSink& out, const std::string& path) {
    if (!copy_verbatim(out, path)) {
        throw cannot_open(path);
    }
}

} // namespace ipgen
