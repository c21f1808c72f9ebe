#include "common/header_copy.hpp"

#include "common/fatal_error.hpp"

#include <array>
#include <cstdio>
#include <memory>

namespace ipgen {

void copy_header(TextSink& out, const std::string& path) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> header(std::fopen(path.c_str(), "r"),
                                                                 &std::fclose);
    if (!header) {
        throw cannot_open(header_file_name);
    }
    // Lines of any length pass through unchanged: the copy is by blocks.
    std::array<char, 4096> block{};
    size_t count = 0;
    while ((count = std::fread(block.data(), 1, block.size(), header.get())) > 0) {
        out.write(std::string_view(block.data(), count));
    }
    if (std::ferror(header.get()) != 0) {
        throw cannot_open(header_file_name);
    }
}

} // namespace ipgen
