#include "generators/common/generated_file.hpp"

#include "generators/common/header_copy.hpp"
#include "generators/common/output_file.hpp"

namespace ipgen {

void write_generated_file(const std::string& name, WithHeader header,
                          const std::function<void(TextSink&)>& body) {
    const auto file = create_output(name);
    if (header == WithHeader::yes) {
        copy_header(*file);
    }
    body(*file);
    file->close_or_throw();
}

} // namespace ipgen
