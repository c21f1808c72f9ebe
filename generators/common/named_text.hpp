// A generated file as text, under the name a program writes it as: what
// the generators' write entries return, in the order the program writes
// the files, for the program to put on disk and for ipgen to put in a
// core folder.
#pragma once

#include <string>

namespace ipgen {

struct NamedText {
    std::string name;
    std::string text;
};

} // namespace ipgen
