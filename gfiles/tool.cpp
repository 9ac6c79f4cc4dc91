#include "gfiles/tool.h"

#include "common/ci_path.h"
#include "gfiles/file_source.h"
#include "gfiles/lzss_module.h"
#include "gfiles/map_titles.h"
#include "gfiles/save_headers.h"
#include "gfiles/wad_listing.h"
#include "gfiles/wad_scan.h"

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace krv::gfiles {

namespace {

namespace fs = std::filesystem;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;

// Writes one line with its CR LF in a single write, so that on the
// unbuffered standard output each line reaches the reader whole.
bool writeLine(std::FILE* out, std::string_view text) {
    std::string line(text);
    line += "\r\n";
    return std::fwrite(line.data(), 1, line.size(), out) == line.size();
}

bool writeLines(std::FILE* out, const std::vector<std::string>& lines) {
    bool ok = true;
    for (const auto& line : lines)
        ok = writeLine(out, line) && ok;
    return ok;
}

// Writes the lines to a file created (or overwritten) for them. False when
// the file can't be created or written completely.
bool writeLinesToFile(const fs::path& file, const std::vector<std::string>& lines) {
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr)
        return false;
    const bool written = writeLines(out, lines);
    return (std::fclose(out) == 0) && written;
}

// The resolver takes no "." or ".." components; a path typed on the command
// line may use them, so they are folded away first.
fs::path withoutDotComponents(const fs::path& given) {
    std::error_code error;
    const fs::path plain = fs::absolute(given, error).lexically_normal();
    return error ? given : plain;
}

// An operand as the file system has it, found without regard to case; the
// text as given when nothing matches (opening it then fails).
fs::path resolveOperand(const char* text) {
    const fs::path given(text);
    return ci::resolve(withoutDotComponents(given)).value_or(given);
}

// Joins the starting folder and a file name with the platform's separator.
std::string inStartFolder(const std::string& start, std::string_view name) {
    if (start.empty() || start.back() == ci::kSep)
        return start + std::string(name);
    return start + ci::kSep + std::string(name);
}

bool enterFolder(const char* operand) {
    const fs::path folder = resolveOperand(operand);
    return ::chdir(folder.c_str()) == 0;
}

void returnTo(const std::string& start) {
    // The starting folder was current a moment ago; if it has vanished since,
    // there is nothing better to do than stay.
    if (::chdir(start.c_str()) != 0)
        return;
}

// Scans the WAD and hands the scan and the open file to `use`, whose lines
// are the result; nothing when the file can't be opened, is not a WAD or
// fails the scan.
template <typename Use>
bool scannedWadLines(const char* operand, std::vector<std::string>& lines, Use use) {
    const int fd = openRegularFile(resolveOperand(operand));
    if (fd < 0)
        return false;
    FileWadSource source(fd);
    const WadScan scan = scanWad(source);
    if (!scan.ok)
        return false;
    lines = use(scan, source);
    return true;
}

bool checkWad(const char* operand, std::vector<std::string>& lines) {
    return scannedWadLines(operand, lines,
                           [](const WadScan& scan, WadSource&) { return checkOutputLines(scan); });
}

int commandCheckWad(const char* file) {
    std::vector<std::string> lines;
    if (!checkWad(file, lines))
        return kExitFailed;
    writeLines(stdout, lines);
    return kExitOk;
}

// The titles of the WAD's levels, "<map> <title>" a line, for the levels the
// scan lists; nothing is printed for a file that is not a WAD.
int commandMapTitles(const char* file) {
    std::vector<std::string> lines;
    const bool scanned = scannedWadLines(file, lines, [](const WadScan& scan, WadSource& source) {
        return mapTitleLines(scan, readMapTitles(source));
    });
    if (!scanned)
        return kExitFailed;
    writeLines(stdout, lines);
    return kExitOk;
}

// CHECKWAD of many files in one run, for a caller that checks a whole game's
// WADs: for each file, in the order given, one line "FILE <n> <exit code>
// <line count>" (n counts the files from 1; the exit code is the one CHECKWAD
// ends with for that file), then the lines CHECKWAD prints for it. The count
// lets a reader split the records without looking into them. Each record
// goes out in one write, so a reader never meets half of one.
int commandCheckWads(int count, char** files) {
    for (int i = 0; i < count; ++i) {
        std::vector<std::string> lines;
        const int exitCode = checkWad(files[i], lines) ? kExitOk : kExitFailed;
        std::string record = "FILE " + std::to_string(i + 1) + " " + std::to_string(exitCode) +
                             " " + std::to_string(lines.size()) + "\r\n";
        for (const auto& line : lines)
            record += line + "\r\n";
        std::fwrite(record.data(), 1, record.size(), stdout);
    }
    return kExitOk;
}

int commandFileCheckWad(const std::string& start, const char* out, const char* file) {
    std::vector<std::string> lines;
    if (!checkWad(file, lines))
        return kExitFailed;
    const std::string name(out);
    if (name == "stdout") {
        writeLines(stdout, lines);
        return kExitOk;
    }
    // A bare name goes to the starting folder; a name with a folder part
    // (either separator) is used as it stands.
    const std::string target = name.find_first_of("\\/") == std::string::npos
                                   ? inStartFolder(start, name)
                                   : ci::nativeSeparators(name);
    const fs::path path = ci::resolveForWrite(withoutDotComponents(target));
    if (!writeLinesToFile(path, lines))
        writeLine(stdout, path.string() + " could not be opened");
    return kExitOk;
}

int commandListWad(const std::string& start, const char* folder) {
    if (!enterFolder(folder))
        return kExitFailed;
    const std::vector<std::string> names = listWadFolder(".");
    returnTo(start);
    writeLine(stdout, std::to_string(names.size()));
    writeLines(stdout, names);
    return kExitOk;
}

int commandSaveHeaders(const std::string& start, const char* folder, bool toFile) {
    // Without the module no saved game can be read: end before touching
    // anything.
    const fs::path moduleFile = executableFolder() / "LZSS.dll";
    const auto lzss = LzssModule::load(ci::resolve(moduleFile).value_or(moduleFile));
    if (!lzss)
        return kExitFailed;

    std::FILE* out = stdout;
    if (toFile) {
        const fs::path path = ci::resolveForWrite(inStartFolder(start, "krvshrs.out"));
        out = std::fopen(path.c_str(), "wb");
        if (out == nullptr)
            return kExitFailed;
    }
    if (!enterFolder(folder)) {
        if (toFile)
            std::fclose(out);
        return kExitFailed;
    }
    const SaveDescriptions descriptions = readSaveDescriptions(*lzss, ".");
    returnTo(start);

    std::vector<std::string> lines;
    for (int slot = 0; slot < kSaveSlots; ++slot)
        lines.push_back(std::to_string(slot) + " " + descriptions[slot]);
    const bool written = writeLines(out, lines);
    if (toFile)
        return (std::fclose(out) == 0 && written) ? kExitOk : kExitFailed;
    return kExitOk;
}

// Empties the engine's information file left over from an earlier run. A
// failure is of no consequence.
void emptyInfoFile() {
    const auto info = ci::resolve("KRV_inf.txt");
    if (!info || !ci::isFile(*info))
        return;
    const int fd = ::open(info->c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NONBLOCK);
    if (fd >= 0)
        ::close(fd);
}

} // namespace

int runTool(int argc, char** argv) {
    if (!ci::isFile("Korvath.exe"))
        return kExitOk;
    emptyInfoFile();
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::error_code ec;
    const std::string start = fs::current_path(ec).string();
    if (ec || start.empty())
        return kExitFailed;

    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "CHECKWADS")
        return commandCheckWads(argc - 2, argv + 2);
    if (argc == 3) {
        if (command == "CHECKWAD")
            return commandCheckWad(argv[2]);
        if (command == "MAPTITLES")
            return commandMapTitles(argv[2]);
        if (command == "LISTWAD")
            return commandListWad(start, argv[2]);
        if (command == "GETSAVEHDRS")
            return commandSaveHeaders(start, argv[2], false);
        if (command == "FGETSAVEHDRS")
            return commandSaveHeaders(start, argv[2], true);
    } else if (argc == 4 && command == "FCHECKWAD") {
        return commandFileCheckWad(start, argv[2], argv[3]);
    }
    return kExitOk;
}

} // namespace krv::gfiles
