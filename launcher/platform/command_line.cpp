#include "launcher/platform/command_line.h"

#include "common/ci_path.h"
#include "common/strings.h"

#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace krv {

namespace fs = std::filesystem;

std::vector<std::string> splitCommandLine(std::string_view commandLine) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (const char c : commandLine) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true; // "" is an empty word
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

std::string joinCommandLine(const std::vector<std::string>& words) {
    std::string line;
    for (const auto& w : words) {
        if (!line.empty())
            line += ' ';
        const bool needsQuotes = w.empty() || w.find_first_of(" \t") != std::string::npos;
        line += needsQuotes ? '"' + w + '"' : w;
    }
    return line;
}

std::optional<std::string> findOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    if (!path || program.empty() || program.find('/') != std::string::npos)
        return std::nullopt;
    std::string_view rest(path);
    while (true) {
        const auto colon = rest.find(':');
        const std::string dir(rest.substr(0, colon));
        const fs::path candidate = fs::path(dir.empty() ? "." : dir) / program;
        if (::access(candidate.c_str(), X_OK) == 0 && !fs::is_directory(candidate))
            return candidate.string();
        if (colon == std::string_view::npos)
            return std::nullopt;
        rest.remove_prefix(colon + 1);
    }
}

bool isWindowsProgram(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char magic[2] = {};
    return in.read(magic, 2) && magic[0] == 'M' && magic[1] == 'Z';
}

// "notepad.exe" stands for the plain text editor; without a program of that
// name the desktop's default program for the file opens it.
static std::optional<std::string> plainTextEditor(const std::string& program) {
    if (!iequals(program, "notepad.exe") && !iequals(program, "notepad"))
        return std::nullopt;
    return findOnPath("xdg-open");
}

// A program file found case-insensitively, relative to the working folder
// unless absolute.
static std::optional<fs::path> programFile(const std::string& program,
                                           const std::string& workingFolder) {
    const fs::path asGiven(program);
    const fs::path full = asGiven.is_absolute() ? asGiven : fs::path(workingFolder) / asGiven;
    const auto found = ci::resolve(full);
    if (!found || fs::is_directory(*found))
        return std::nullopt;
    return found;
}

std::optional<std::vector<std::string>> resolveCommand(std::string_view commandLine,
                                                       const std::string& workingFolder) {
    auto words = splitCommandLine(commandLine);
    if (words.empty())
        return std::nullopt;
    const std::string program = ci::nativeSeparators(words.front());
    const bool bare = fs::path(program).extension().empty();
    auto found = programFile(bare ? program + ".exe" : program, workingFolder);
    // A program without an extension, as Linux programs are, also stands for
    // itself when no ".exe" of its name exists.
    if (!found && bare)
        found = programFile(program, workingFolder);
    std::string resolved;
    if (found) {
        resolved = fs::absolute(*found).string();
    } else if (const auto onPath = findOnPath(words.front())) {
        resolved = *onPath; // a desktop program such as xdg-open or wine
    } else if (const auto editor = plainTextEditor(words.front())) {
        resolved = *editor;
    } else {
        return std::nullopt;
    }
    words.front() = resolved;
    if (isWindowsProgram(resolved)) {
        if (const auto wine = findOnPath("wine"))
            words.insert(words.begin(), *wine);
    }
    return words;
}

} // namespace krv
