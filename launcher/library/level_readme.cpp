#include "launcher/library/level_readme.h"

#include "common/ci_path.h"
#include "common/strings.h"
#include "common/text_file.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <vector>

namespace krv {

namespace {

// The template's fields sit at the top of the file; a longer file is read
// only this far.
constexpr std::size_t kReadLimit = 64 * 1024;

// At most this many text files of a folder are read in search of the one.
constexpr std::size_t kMostCandidates = 32;

// A title or author longer than this is cut.
constexpr std::size_t kLongestText = 200;

// The template's field names, lower case, blanks single.
constexpr std::array<std::string_view, 33> kFields{
    "title",
    "filename",
    "release date",
    "author",
    "authors",
    "email address",
    "other files by author",
    "misc. author info",
    "description",
    "additional credits to",
    "advanced engine needed",
    "primary purpose",
    "new levels",
    "sounds",
    "music",
    "graphics",
    "dehacked/bex patch",
    "demos",
    "other",
    "other files required",
    "game",
    "map #",
    "single player",
    "cooperative 2-4 player",
    "deathmatch 2-4 player",
    "other game styles",
    "difficulty settings",
    "base",
    "build time",
    "editor(s) used",
    "known bugs",
    "may not run with",
    "tested with",
};

// The field name of a line "Name   :  value" in the template's spelling
// (lower case, blanks single), and its value; nothing for another line.
struct Field {
    std::string name;
    std::string_view value;
};

std::optional<Field> fieldOf(std::string_view line) {
    const auto colon = line.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    Field field;
    bool blank = false;
    for (const char c : trim(line.substr(0, colon))) {
        if (c == ' ' || c == '\t') {
            blank = true;
            continue;
        }
        if (blank && !field.name.empty())
            field.name += ' ';
        blank = false;
        field.name += asciiLower(c);
    }
    if (std::find(kFields.begin(), kFields.end(), field.name) == kFields.end())
        return std::nullopt;
    field.value = line.substr(colon + 1);
    return field;
}

// A field's value as one line of plain UTF-8 text: control bytes become
// blanks, blanks at the ends go, and a long text is cut between characters.
std::string plainText(std::string_view value) {
    std::string text = eightBitToUtf8(value);
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    text = std::string(trim(text));
    if (text.size() > kLongestText) {
        std::size_t cut = kLongestText;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
        text.resize(cut);
    }
    return text;
}

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace

std::optional<LevelReadme> parseLevelReadme(std::string_view bytes) {
    // Text has no NUL byte; a binary file named ".txt" has plenty.
    if (bytes.find('\0') != std::string_view::npos)
        return std::nullopt;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);

    std::vector<std::string> seen;
    std::optional<std::string_view> title;
    std::optional<std::string_view> author;
    for (const std::string_view line : linesOf(bytes)) {
        const auto field = fieldOf(line);
        if (!field)
            continue;
        if (std::find(seen.begin(), seen.end(), field->name) == seen.end())
            seen.push_back(field->name);
        if (field->name == "title" && !title)
            title = field->value;
        if ((field->name == "author" || field->name == "authors") && !author)
            author = field->value;
    }
    if (seen.size() < 2 || (!title && !author))
        return std::nullopt;
    LevelReadme readme;
    readme.title = plainText(title.value_or(""));
    readme.author = plainText(author.value_or(""));
    return readme;
}

std::optional<LevelReadme> findLevelReadme(const std::string& folder) {
    std::vector<std::string> names = ci::listFolder(folder);
    std::erase_if(names, [](const std::string& name) { return !iendsWith(name, ".txt"); });
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return icompare(a, b) < 0; });
    if (names.size() > kMostCandidates)
        names.resize(kMostCandidates);

    const auto found = ci::resolve(folder);
    if (!found)
        return std::nullopt;
    for (const std::string& name : names) {
        const std::string path = (*found / name).string();
        std::string bytes;
        if (readFileStart(path, bytes, kReadLimit) != IoStatus::Ok)
            continue;
        if (auto readme = parseLevelReadme(bytes)) {
            readme->path = path;
            return readme;
        }
    }
    return std::nullopt;
}

} // namespace krv
