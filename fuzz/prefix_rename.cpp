// --prefix's renamer on any Verilog text: up to four files, separated by NUL
// bytes, named f0.v, f1.vh, f2.v, f3.vh (so `include "f1.vh" names one of
// them). What must hold for any text:
// - an empty prefix changes nothing;
// - renaming only inserts the prefix: with a prefix of one byte the text
//   does not contain, deleting that byte gives the text back, and every
//   inserted byte stands before a name (a letter or _);
// - the places do not depend on the prefix: putting "p_" where that byte
//   stands gives exactly the renaming with "p_";
// - every file name gets the prefix in front, and every module the files
//   define gets it at least where it is defined.
#include "ipgen/prefix_rename.hpp"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

using ipgen::front::VerilogText;

namespace {

std::vector<VerilogText> files_of(const std::uint8_t* data, std::size_t size) {
    static const char* const names[] = {"f0.v", "f1.vh", "f2.v", "f3.vh"};
    std::vector<VerilogText> files(1, VerilogText{names[0], ""});
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && files.size() < 4) {
            files.push_back({names[files.size()], ""});
        } else {
            files.back().text.push_back(static_cast<char>(data[i]));
        }
    }
    return files;
}

std::vector<VerilogText> renamed(std::vector<VerilogText> files, const std::string& prefix) {
    ipgen::front::apply_prefix(files, prefix);
    return files;
}

void require(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<VerilogText> files = files_of(data, size);

    const std::vector<VerilogText> same = renamed(files, "");
    for (std::size_t i = 0; i < files.size(); ++i) {
        require(same[i].name == files[i].name && same[i].text == files[i].text);
    }

    // A byte no file contains marks where the prefix goes.
    char marker = 0;
    for (int c = 1; c < 256 && marker == 0; ++c) {
        const bool used = std::any_of(files.begin(), files.end(), [&](const VerilogText& file) {
            return file.text.find(static_cast<char>(c)) != std::string::npos;
        });
        if (!used) {
            marker = static_cast<char>(c);
        }
    }
    if (marker == 0) {
        return 0;
    }
    const std::vector<VerilogText> marked = renamed(files, std::string(1, marker));
    const std::vector<VerilogText> with_p = renamed(files, "p_");
    std::size_t markers = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& text = marked[i].text;
        std::string without;
        std::string expanded;
        for (std::size_t k = 0; k < text.size(); ++k) {
            if (text[k] == marker) {
                require(k + 1 < text.size() &&
                        (std::isalpha(static_cast<unsigned char>(text[k + 1])) != 0 ||
                         text[k + 1] == '_'));
                expanded += "p_";
                ++markers;
            } else {
                without += text[k];
                expanded += text[k];
            }
        }
        require(without == files[i].text);
        require(expanded == with_p[i].text);
        require(marked[i].name == marker + files[i].name && with_p[i].name == "p_" + files[i].name);
    }
    require(markers >= ipgen::front::defined_modules(files).size());
    return 0;
}
