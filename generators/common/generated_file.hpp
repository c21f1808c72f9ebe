// One generated file, start to end: create (truncate) it, copy "header.v"
// to its top when the format carries the header, write the body, close it
// and check that every byte reached the disk.
#pragma once

#include "generators/common/text_sink.hpp"

#include <functional>
#include <string>
#include <vector>

namespace ipgen {

enum class WithHeader { no, yes };

// Throws cannot_open(name) when the file cannot be created or written, and
// cannot_open("header.v") when the header is missing (the file then stays
// empty, as created).
void write_generated_file(const std::string& name, WithHeader header,
                          const std::function<void(TextSink&)>& body);

// A generated file's body in memory and whether the header stands on top.
struct GeneratedText {
    std::string name;
    WithHeader header = WithHeader::yes;
    std::string body;
};

// A whole file: name and text.
struct NamedText {
    std::string name;
    std::string text;
};

// The files with `header` on top of those that carry it.
std::vector<NamedText> with_header(const std::vector<GeneratedText>& files,
                                   const std::string& header);

// write_generated_file for a body already in memory.
void write_generated_file(const GeneratedText& file);

} // namespace ipgen
