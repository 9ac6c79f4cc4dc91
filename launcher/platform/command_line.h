#pragma once
// Command lines are single texts split the Windows way: blanks separate
// words, double quotes group, nothing is escaped. The first word names the
// program, found case-insensitively against the working folder with ".exe"
// added when it has no extension; a Windows program (its file begins with
// "MZ") is handed to `wine` when that is on the PATH.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krv {

std::vector<std::string> splitCommandLine(std::string_view commandLine);

// Joins words into one command line, quoting those with blanks.
std::string joinCommandLine(const std::vector<std::string>& words);

// Finds a program on the PATH; nothing when absent.
std::optional<std::string> findOnPath(const std::string& program);

// True when the file begins with the two bytes "MZ".
bool isWindowsProgram(const std::string& path);

// The argument vector to execute for a command line, with the program's path
// made absolute. Nothing when the line is empty or the program is missing.
std::optional<std::vector<std::string>> resolveCommand(std::string_view commandLine,
                                                       const std::string& workingFolder);

} // namespace krv
