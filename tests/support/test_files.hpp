// Files and folders for tests: a fresh temporary directory per test, whole
// file reads and writes, and comparison with expected files in tests/data.
#pragma once

#include <string>
#include <vector>

namespace ipgen::test {

// A fresh directory under $TMPDIR (or /tmp), removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& content);
bool file_exists(const std::string& path);

// The names of the entries of a directory, sorted.
std::vector<std::string> list_directory(const std::string& path);

// tests/data/<relative>
std::string data_path(const std::string& relative);

// Expected text from tests/data/<relative>. With IPGEN_UPDATE_EXPECTED=1 in
// the environment the actual text is stored there instead (then review the
// change before committing it).
std::string expected_file(const std::string& relative, const std::string& actual);

} // namespace ipgen::test
