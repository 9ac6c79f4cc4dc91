#pragma once
// Turns a composed command line into the process the platform starts: the
// line's first word "Bin\Korvath" is found under the installation root as
// "Bin/Korvath.exe" (without regard to case), the rest is split the Windows
// way, a Windows program is handed to `wine`, and the engine runs in the
// installation root.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krv {

struct EngineStart {
    std::string program;                // the engine, or `wine` for a Windows program
    std::vector<std::string> arguments; // without the program itself
    std::string workingFolder;          // the installation root
};

// Nothing when the line is empty or its program cannot be found.
std::optional<EngineStart> prepareEngineStart(std::string_view commandLine,
                                              const std::string& root);

// Why the engine of `commandLine` could not be started, when the disk tells:
// a Windows engine without `wine` on the PATH, an engine that is missing or
// not executable. Empty when the reason is not known.
std::string engineStartFailure(std::string_view commandLine, const std::string& root);

} // namespace krv
