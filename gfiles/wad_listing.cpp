#include "gfiles/wad_listing.h"

#include "common/ci_path.h"
#include "common/strings.h"
#include "gfiles/file_source.h"

#include <algorithm>
#include <unistd.h>

namespace krv::gfiles {

namespace {

// Case-insensitive order; names that differ only in case keep a fixed order.
bool nameLess(const std::string& a, const std::string& b) {
    const int c = icompare(a, b);
    return c != 0 ? c < 0 : a < b;
}

bool startsWithPwad(const std::filesystem::path& file) {
    const int fd = openRegularFile(file);
    if (fd < 0)
        return false;
    char magic[4];
    const bool ok = readFileAt(fd, 0, magic, sizeof magic) == sizeof magic &&
                    iequals(std::string_view(magic, sizeof magic), "PWAD");
    ::close(fd);
    return ok;
}

// Names with a line break can't be printed one per line; the Windows tree
// never holds them.
bool printable(const std::string& name) {
    return name.find_first_of("\r\n") == std::string::npos;
}

} // namespace

std::vector<std::string> listWadFolder(const std::filesystem::path& folder, std::size_t limit) {
    std::vector<std::string> entries = ci::listFolder(folder);
    std::sort(entries.begin(), entries.end(), nameLess);

    std::vector<std::string> names;
    for (const auto& name : entries) {
        if (names.size() >= limit)
            break;
        if (iendsWith(name, ".wad") && printable(name) && startsWithPwad(folder / name))
            names.push_back(name);
    }
    for (const auto& name : entries) {
        if (names.size() >= limit)
            break;
        if (iendsWith(name, ".deh") && printable(name) && ci::isFile(folder / name))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), nameLess);
    return names;
}

} // namespace krv::gfiles
