// One generated file, start to end: create (truncate) it, copy "header.v"
// to its top when the format carries the header, write the body, close it
// and check that every byte reached the disk.
#pragma once

#include "generators/common/text_sink.hpp"

#include <functional>
#include <string>

namespace ipgen {

enum class WithHeader { no, yes };

// Throws cannot_open(name) when the file cannot be created or written, and
// cannot_open("header.v") when the header is missing (the file then stays
// empty, as created).
void write_generated_file(const std::string& name, WithHeader header,
                          const std::function<void(TextSink&)>& body);

} // namespace ipgen
