// What the fuzz targets share: turning the fuzzer's bytes into a program's
// arguments, and the rule every refusal must keep.
#pragma once

#include "generators/common/fatal_error.hpp"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ipgen::fuzz {

// One argument per line of the input (a trailing line end ends the last
// argument), so the corpus files read like command lines.
inline std::vector<std::string> split_arguments(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args;
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            args.push_back(current);
            current.clear();
        } else {
            current.push_back(static_cast<char>(data[i]));
        }
    }
    if (!current.empty()) {
        args.push_back(current);
    }
    return args;
}

// A refused input is reported with text that ends in a line end and a
// failure status; anything else is a fault of the program.
inline void check_refusal(const FatalError& error) {
    if (error.message().empty() || error.message().back() != '\n' || error.status() == 0) {
        __builtin_trap();
    }
}

} // namespace ipgen::fuzz
