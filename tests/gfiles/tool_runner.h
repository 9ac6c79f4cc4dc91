#pragma once
// Runs the built KRVgFiles as the launcher does: a child process in a given
// folder whose standard output and standard error are read through one pipe
// until the child closes it.

#include <filesystem>
#include <string>
#include <vector>

namespace krv::test {

struct RunResult {
    int exitCode = -1; // -1 when the child did not exit normally
    std::string output;
};

RunResult runProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                     const std::filesystem::path& folder);

// A temporary installation: <root>/Bin holding a copy of the built
// KRVgFiles.exe and LZSS.dll and a stand-in Korvath.exe.
class GfilesInstall {
public:
    explicit GfilesInstall(const std::filesystem::path& root);

    const std::filesystem::path& bin() const { return bin_; }
    std::filesystem::path tool() const { return bin_ / "KRVgFiles.exe"; }

    // Runs the tool with Bin as the current folder (as the launcher does),
    // or in `folder`.
    RunResult run(const std::vector<std::string>& args) const;
    RunResult runIn(const std::filesystem::path& folder,
                    const std::vector<std::string>& args) const;

private:
    std::filesystem::path bin_;
};

} // namespace krv::test
