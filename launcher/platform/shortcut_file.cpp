#include "launcher/platform/shortcut_file.h"

#include "launcher/platform/command_line.h"

#include "common/ci_path.h"
#include "common/text_file.h"

#include <filesystem>

namespace krv {

namespace {

// A word of the Exec key: quoted, with the characters the key reserves
// escaped, and "%" doubled as field codes require.
std::string execWord(const std::string& word) {
    std::string quoted = "\"";
    for (const char c : word) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
        if (c == '%')
            quoted += '%';
    }
    return quoted + "\"";
}

std::string fileBaseName(const std::string& file) {
    return std::filesystem::path(file).filename().string();
}

} // namespace

std::string desktopEntryText(const ShortcutLink& link, bool windowsProgram) {
    std::string exec = windowsProgram ? "wine " : "";
    exec += execWord(link.target);
    for (const std::string& word : splitCommandLine(link.arguments))
        exec += " " + execWord(word);
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           fileBaseName(link.file) +
           "\n"
           "Exec=" +
           exec +
           "\n"
           "Path=" +
           link.workingDirectory +
           "\n"
           "Icon=" +
           link.iconLocation +
           "\n"
           "Terminal=false\n";
}

bool writeDesktopEntry(const ShortcutLink& link) {
    const std::string file = link.file + ".desktop";
    const std::string text = desktopEntryText(link, isWindowsProgram(link.target));
    if (writeWholeFile(ci::resolveForWrite(file), text) != IoStatus::Ok)
        return false;
    std::error_code error;
    std::filesystem::permissions(ci::resolveForWrite(file),
                                 std::filesystem::perms::owner_exec |
                                     std::filesystem::perms::group_exec |
                                     std::filesystem::perms::others_exec,
                                 std::filesystem::perm_options::add, error);
    return true;
}

} // namespace krv
