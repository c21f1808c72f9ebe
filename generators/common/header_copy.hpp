// The user's "header.v" (a copyright banner, a `include, anything) stands
// verbatim at the top of the files the Reed-Solomon generators write.
#pragma once

#include "generators/common/text_sink.hpp"

#include <string>

namespace ipgen {

inline constexpr const char* header_file_name = "header.v";

// Copies the whole file, byte for byte, into `out`. A header that cannot be
// opened or read, is not a regular file or is larger than 16 MiB ends the
// run before anything is written: cannot_open("header.v"), status 1.
void copy_header(TextSink& out, const std::string& path = header_file_name);

// Copies a file written earlier in the run (an intermediate part of a
// generated file) byte for byte into `out`; cannot_open(path), status 1,
// when it cannot be opened or read.
void append_file(TextSink& out, const std::string& path);

} // namespace ipgen
