#include "launcher/log_file.hpp"

namespace toolrun {

bool LogFile::append(const std::string& text) {
    if (!file_) {
        std::FILE* existing = std::fopen(path_.c_str(), "r");
        const bool exists = existing != nullptr;
        if (existing != nullptr) {
            std::fclose(existing);
        }
        file_.reset(std::fopen(path_.c_str(), exists ? "a" : "w"));
        if (!file_) {
            return false;
        }
    }
    std::fputs(text.c_str(), file_.get());
    std::fflush(file_.get());
    return true;
}

} // namespace toolrun
