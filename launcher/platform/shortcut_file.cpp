#include "launcher/platform/shortcut_file.h"

#include "launcher/platform/command_line.h"

#include "common/ci_path.h"
#include "common/strings.h"
#include "common/text_file.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace krv {

namespace {

bool isControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
}

// A value of string type: backslash, line breaks and tabs escaped, a
// leading blank kept as "\s". Nothing when the value holds another control
// byte or is no UTF-8 text, which no escape can carry.
std::optional<std::string> stringValue(std::string_view value) {
    // Desktop entries must be well-formed UTF-8.
    if (!isValidUtf8(value))
        return std::nullopt;
    std::string out;
    for (const char c : value) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (isControl(c))
                return std::nullopt;
            out += c;
        }
    }
    if (!out.empty() && out.front() == ' ')
        out.replace(0, 1, "\\s");
    return out;
}

// A word of the Exec key: quoted, with the characters the key reserves
// escaped, and "%" doubled as field codes require. A word with a control
// byte is refused: a line break in a command is never written.
std::optional<std::string> execWord(const std::string& word) {
    std::string quoted = "\"";
    for (const char c : word) {
        if (isControl(c))
            return std::nullopt;
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

std::optional<std::string> desktopEntryText(const ShortcutLink& link, bool windowsProgram) {
    std::string exec = windowsProgram ? "wine " : "";
    std::vector<std::string> words = {link.target};
    for (std::string& word : splitCommandLine(link.arguments))
        words.push_back(std::move(word));
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto word = execWord(words[i]);
        if (!word)
            return std::nullopt;
        exec += (i == 0 ? "" : " ") + *word;
    }
    // The quoting above is applied first; the Exec value is then escaped as
    // any string, so a literal backslash ends up as four.
    const auto execValue = stringValue(exec);
    const auto name = stringValue(fileBaseName(link.file));
    const auto path = stringValue(link.workingDirectory);
    const auto icon = stringValue(link.iconLocation);
    if (!execValue || !name || !path || !icon)
        return std::nullopt;
    return "[Desktop Entry]\nType=Application\nName=" + *name + "\nExec=" + *execValue +
           "\nPath=" + *path + "\nIcon=" + *icon + "\nTerminal=false\n";
}

bool writeDesktopEntry(const ShortcutLink& link) {
    const std::string file = link.file + ".desktop";
    const auto text = desktopEntryText(link, isWindowsProgram(link.target));
    if (!text || writeWholeFile(ci::resolveForWrite(file), *text) != IoStatus::Ok)
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
