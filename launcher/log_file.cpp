#include "launcher/log_file.hpp"

namespace toolrun {

std::FILE* open_log_file(const std::string& path) {
    std::FILE* existing = std::fopen(path.c_str(), "r");
    const bool exists = existing != nullptr;
    if (existing != nullptr) {
        std::fclose(existing);
    }
    return std::fopen(path.c_str(), exists ? "a" : "w");
}

bool LogFile::append(const std::string& text) {
    if (!file_) {
        file_.reset(open_(path_));
        if (!file_) {
            return false;
        }
    }
    std::fputs(text.c_str(), file_.get());
    std::fflush(file_.get());
    return true;
}

} // namespace toolrun
