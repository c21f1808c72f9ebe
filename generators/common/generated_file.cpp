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

std::vector<NamedText> with_header(const std::vector<GeneratedText>& files,
                                   const std::string& header) {
    std::vector<NamedText> named;
    for (const GeneratedText& file : files) {
        named.push_back(
            {file.name, file.header == WithHeader::yes ? header + file.body : file.body});
    }
    return named;
}

void write_generated_file(const GeneratedText& file) {
    write_generated_file(file.name, file.header, [&](TextSink& out) { out.write(file.body); });
}

} // namespace ipgen
