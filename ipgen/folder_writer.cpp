#include "ipgen/folder_writer.hpp"

#include "generators/common/fatal_error.hpp"
#include "ipgen/options.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace ipgen::front {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void cannot_write(const std::string& path, const std::string& reason) {
    throw FatalError("ipgen: cannot write " + path + ": " + reason + "\n", 1);
}

} // namespace

void check_out_folder(const std::string& dir, bool force) {
    std::error_code error;
    const fs::file_status status = fs::status(dir, error);
    if (!fs::exists(status)) {
        return;
    }
    if (!fs::is_directory(status)) {
        refuse("--out " + dir + ": exists and is not a folder; accepted: a new or empty folder");
    }
    if (!force && !fs::is_empty(dir, error) && !error) {
        refuse("--out " + dir +
               ": the folder is not empty; accepted: a new or empty folder, or --force to "
               "write over its files");
    }
}

void write_folder(const std::string& dir, const std::vector<FolderFile>& files) {
    std::error_code error;
    fs::create_directories(dir, error);
    if (error) {
        cannot_write(dir, error.message());
    }
    for (const FolderFile& file : files) {
        const std::string path = (fs::path(dir) / file.name).string();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!out) {
            cannot_write(path, std::strerror(errno));
        }
        out.write(file.text.data(), static_cast<std::streamsize>(file.text.size()));
        out.close();
        if (!out) {
            cannot_write(path, "the write failed (disk full?)");
        }
    }
}

} // namespace ipgen::front
