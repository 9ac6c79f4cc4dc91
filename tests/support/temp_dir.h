#pragma once
// A temporary folder removed with its contents when the test ends, and small
// helpers to put files into it.

#include <filesystem>
#include <string>
#include <string_view>

namespace krv::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view rel) const { return path_ / rel; }

private:
    std::filesystem::path path_;
};

// Writes bytes to a file, creating its folders.
void writeFile(const std::filesystem::path& path, std::string_view bytes);
// Reads a whole file; empty when it is missing.
std::string readFile(const std::filesystem::path& path);

} // namespace krv::test
