#include "gfiles/map_titles.h"

#include "common/strings.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

namespace krv::gfiles {

namespace {

// Lumps larger than this are not map definitions anybody writes by hand.
constexpr std::int64_t kLumpCap = 1 << 20;
constexpr std::size_t kTitleCap = 96;
constexpr std::int32_t kDirectoryCap = 1 << 20;

// Printable ASCII and UTF-8 bytes only, blanks collapsed at the ends.
std::string cleanTitle(std::string_view raw) {
    std::string title;
    for (const char c : raw) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b != 0x7F)
            title += c;
        else if (c == '\t')
            title += ' ';
    }
    title = std::string(trim(title));
    if (title.size() > kTitleCap) {
        title.resize(kTitleCap);
        // Never end inside a UTF-8 sequence.
        while (!title.empty() && (static_cast<unsigned char>(title.back()) & 0xC0) == 0x80)
            title.pop_back();
        if (!title.empty() && static_cast<unsigned char>(title.back()) >= 0xC0)
            title.pop_back();
    }
    return title;
}

// A map name as the engine writes it: ExMy or MAPxy; a bare number (the
// Hexen form) is MAPxy.
std::optional<std::string> mapName(std::string_view token) {
    const std::string name = toUpper(token);
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (name.size() == 4 && name[0] == 'E' && digit(name[1]) && name[2] == 'M' && digit(name[3]))
        return name;
    if (name.size() == 5 && name.compare(0, 3, "MAP") == 0 && digit(name[3]) && digit(name[4]))
        return name;
    if (!name.empty() && name.size() <= 2 && digit(name[0]) && digit(name.back())) {
        const int n = std::stoi(name);
        char text[8];
        std::snprintf(text, sizeof text, "MAP%02d", n);
        return std::string(text);
    }
    return std::nullopt;
}

// The tokens of the map definition languages: words, quoted strings,
// punctuation; comments (// and /* */) skipped.
struct Token {
    enum Kind { Word, String, Punct, End } kind = End;
    std::string text;
};

class Tokenizer {
public:
    explicit Tokenizer(std::string_view text) : text_(text) {}

    Token next() {
        skipBlanksAndComments();
        if (pos_ >= text_.size())
            return {};
        const char c = text_[pos_];
        if (c == '"')
            return quoted();
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$') {
            const std::size_t start = pos_;
            while (pos_ < text_.size() &&
                   (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_' ||
                    text_[pos_] == '$' || text_[pos_] == '.'))
                ++pos_;
            return {Token::Word, std::string(text_.substr(start, pos_ - start))};
        }
        ++pos_;
        return {Token::Punct, std::string(1, c)};
    }

private:
    void skipBlanksAndComments() {
        while (pos_ < text_.size()) {
            if (std::isspace(static_cast<unsigned char>(text_[pos_]))) {
                ++pos_;
            } else if (text_.compare(pos_, 2, "//") == 0 || text_[pos_] == ';') {
                const std::size_t eol = text_.find('\n', pos_);
                pos_ = eol == std::string_view::npos ? text_.size() : eol + 1;
            } else if (text_.compare(pos_, 2, "/*") == 0) {
                const std::size_t close = text_.find("*/", pos_ + 2);
                pos_ = close == std::string_view::npos ? text_.size() : close + 2;
            } else {
                return;
            }
        }
    }

    Token quoted() {
        std::string value;
        ++pos_;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            if (text_[pos_] == '\\' && pos_ + 1 < text_.size())
                ++pos_;
            value += text_[pos_++];
        }
        ++pos_;
        return {Token::String, value};
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

void keepFirst(MapTitles& titles, const std::string& map, std::string_view raw) {
    const std::string title = cleanTitle(raw);
    if (!title.empty())
        titles.emplace(map, title);
}

// "level 1: entryway" and "E1M1: Hangar" are how the automap names read;
// the title is what follows the label.
std::string_view withoutAutomapLabel(std::string_view name) {
    const std::size_t colon = name.find(": ");
    if (colon == std::string_view::npos || colon > 12)
        return name;
    const std::string label = toUpper(name.substr(0, colon));
    if (label.compare(0, 6, "LEVEL ") == 0 || mapName(label))
        return name.substr(colon + 2);
    return name;
}

// The map a DeHackEd string key names: HUSTR_ExMy, HUSTR_n, PHUSTR_n and
// THUSTR_n (n 1 to 32 for the maps MAP01 to MAP32).
std::optional<std::string> mapOfStringKey(const std::string& key) {
    for (const char* prefix : {"HUSTR_", "PHUSTR_", "THUSTR_"}) {
        const std::size_t n = std::strlen(prefix);
        if (key.compare(0, n, prefix) != 0)
            continue;
        const std::string rest = key.substr(n);
        if (rest.size() == 4 && n == 6)
            return mapName(rest);
        if (rest.empty() || rest.size() > 2 ||
            rest.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        return mapName(rest);
    }
    return std::nullopt;
}

} // namespace

MapTitles parseUmapinfo(std::string_view text) {
    MapTitles titles;
    Tokenizer tokens(text);
    std::optional<std::string> current;
    for (Token t = tokens.next(); t.kind != Token::End; t = tokens.next()) {
        if (t.kind != Token::Word)
            continue;
        const std::string word = toUpper(t.text);
        if (word == "MAP") {
            const Token name = tokens.next();
            current = mapName(name.text);
        } else if (word == "LEVELNAME" && current) {
            if (tokens.next().text != "=")
                continue;
            const Token value = tokens.next();
            if (value.kind == Token::String)
                keepFirst(titles, *current, value.text);
        }
    }
    return titles;
}

MapTitles parseMapinfo(std::string_view text) {
    MapTitles titles;
    Tokenizer tokens(text);
    for (Token t = tokens.next(); t.kind != Token::End; t = tokens.next()) {
        if (t.kind != Token::Word || toUpper(t.text) != "MAP")
            continue;
        const auto map = mapName(tokens.next().text);
        const Token title = tokens.next();
        // "map MAP01 lookup HUSTR_1" names a text of the LANGUAGE lump; such
        // titles are not resolved.
        if (map && title.kind == Token::String)
            keepFirst(titles, *map, title.text);
    }
    return titles;
}

MapTitles parseDehackedStrings(std::string_view text) {
    MapTitles titles;
    bool inStrings = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos)
            eol = text.size();
        std::string line(trim(text.substr(pos, eol - pos)));
        pos = eol + 1;
        // A value may go on over lines that end in a backslash.
        while (!line.empty() && line.back() == '\\' && pos < text.size()) {
            line.pop_back();
            eol = text.find('\n', pos);
            if (eol == std::string_view::npos)
                eol = text.size();
            line += std::string(trim(text.substr(pos, eol - pos)));
            pos = eol + 1;
        }
        if (!line.empty() && line[0] == '[') {
            inStrings = toUpper(line).rfind("[STRINGS]", 0) == 0;
            continue;
        }
        const std::size_t eq = line.find('=');
        if (!inStrings || eq == std::string::npos)
            continue;
        const std::string key = toUpper(trim(std::string_view(line).substr(0, eq)));
        if (const auto map = mapOfStringKey(key))
            keepFirst(titles, *map,
                      withoutAutomapLabel(trim(std::string_view(line).substr(eq + 1))));
    }
    return titles;
}

MapTitles readMapTitles(WadSource& source) {
    unsigned char header[12];
    if (source.readAt(0, header, sizeof header) != sizeof header ||
        (std::memcmp(header, "IWAD", 4) != 0 && std::memcmp(header, "PWAD", 4) != 0))
        return {};
    const auto le32 = [](const unsigned char* p) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | (p[1] << 8) |
                                         (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
    };
    const std::int32_t count = std::min(le32(header + 4), kDirectoryCap);
    const std::int32_t dirOffset = le32(header + 8);
    if (count <= 0 || dirOffset < 0)
        return {};

    // The last lump of each kind is the one the engine uses.
    struct Found {
        std::int32_t offset = -1, size = 0;
    };
    Found umapinfo, zmapinfo, mapinfo, dehacked;
    // The directory in one read; a short read leaves the entries it holds.
    // A header may claim more entries than the file holds: the buffer is
    // never larger than the file's directory can be.
    const std::int64_t room = std::max<std::int64_t>(0, source.size() - dirOffset);
    std::vector<unsigned char> directory(
        static_cast<std::size_t>(std::min<std::int64_t>(std::int64_t(count) * 16, room)));
    const std::size_t entries = source.readAt(dirOffset, directory.data(), directory.size()) / 16;
    for (std::size_t i = 0; i < entries; ++i) {
        const unsigned char* entry = directory.data() + i * 16;
        char name[9] = {};
        std::memcpy(name, entry + 8, 8);
        const Found lump{le32(entry), le32(entry + 4)};
        if (std::strcmp(name, "UMAPINFO") == 0)
            umapinfo = lump;
        else if (std::strcmp(name, "ZMAPINFO") == 0)
            zmapinfo = lump;
        else if (std::strcmp(name, "MAPINFO") == 0)
            mapinfo = lump;
        else if (std::strcmp(name, "DEHACKED") == 0)
            dehacked = lump;
    }

    const auto text = [&source](const Found& lump) {
        std::string data;
        if (lump.offset < 0 || lump.size <= 0 || lump.size > kLumpCap)
            return data;
        data.resize(static_cast<std::size_t>(lump.size));
        data.resize(source.readAt(lump.offset, data.data(), data.size()));
        return data;
    };
    MapTitles titles = parseUmapinfo(text(umapinfo));
    titles.merge(parseMapinfo(text(zmapinfo)));
    titles.merge(parseMapinfo(text(mapinfo)));
    titles.merge(parseDehackedStrings(text(dehacked)));
    return titles;
}

std::vector<std::string> mapTitleLines(const WadScan& scan, const MapTitles& titles) {
    std::vector<std::string> lines;
    // checkOutputLines lists the levels after the kind and the two counts.
    const std::vector<std::string> listed = checkOutputLines(scan);
    for (std::size_t i = 3; i < listed.size(); ++i)
        if (const auto it = titles.find(listed[i]); it != titles.end())
            lines.push_back(listed[i] + " " + it->second);
    return lines;
}

} // namespace krv::gfiles
