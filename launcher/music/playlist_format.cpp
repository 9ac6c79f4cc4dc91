#include "launcher/music/playlist_format.h"

#include "common/ci_path.h"
#include "common/safe_names.h"
#include "common/strings.h"

#include <algorithm>
#include <array>

namespace krv {

namespace {

constexpr std::array<std::string_view, 5> kDoomIntermission = {"D_BUNNY", "D_INTRO", "D_INTROA",
                                                               "D_INTER", "D_VICTOR"};
constexpr std::array<std::string_view, 4> kDoom2Intermission = {"D_DM2TTL", "D_DM2INT", "D_READ_M",
                                                                "D_EVIL"};

std::string twoDigits(int n) {
    return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

bool startsWithAny(std::string_view line, std::span<const std::string_view> prefixes) {
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&](std::string_view p) { return istartsWith(line, p); });
}

} // namespace

std::string_view playlistTypeName(PlaylistType type) {
    switch (type) {
    case PlaylistType::Doom:
        return "Doom";
    case PlaylistType::Doom2:
        return "Doom2";
    case PlaylistType::Mixed:
        break;
    }
    return "Mixed";
}

std::span<const std::string_view> intermissionKeys(MapSet set) {
    if (set == MapSet::Doom)
        return kDoomIntermission;
    return kDoom2Intermission;
}

std::vector<std::string> mapKeys(MapSet set) {
    std::vector<std::string> keys;
    if (set == MapSet::Doom) {
        for (char e = '1'; e <= '4'; ++e)
            for (char m = '1'; m <= '9'; ++m)
                keys.push_back(std::string{'E', e, 'M', m});
    } else {
        for (int map = 1; map <= 32; ++map)
            keys.push_back("MAP" + twoDigits(map));
    }
    return keys;
}

bool isIntermissionLine(std::string_view line) {
    return startsWithAny(line, kDoomIntermission) || startsWithAny(line, kDoom2Intermission);
}

bool marksCurrentLayout(std::string_view line) {
    return istartsWith(line, "D_DM2TTL") || istartsWith(line, "D_BUNNY");
}

bool isDoomMapLine(std::string_view line) {
    return istartsWith(line, "E");
}

bool isDoom2MapLine(std::string_view line) {
    return istartsWith(line, "MAP");
}

std::string_view entryKey(std::string_view line) {
    return line.substr(0, line.find(' '));
}

bool isAcceptedMusicType(std::string_view extension) {
    constexpr std::array<std::string_view, 8> kTypes = {"mp3", "mid", "ogg", "mod",
                                                        "rmi", "it",  "xm",  "s3m"};
    return std::any_of(kTypes.begin(), kTypes.end(),
                       [&](std::string_view t) { return iequals(extension, t); });
}

std::string bareEntry(std::string_view key) {
    return std::string(key);
}

std::string entryWithPath(std::string_view key, std::string_view path) {
    return std::string(key) + ' ' + std::string(path);
}

std::string entryWithQuotedPath(std::string_view key, std::string_view path) {
    return std::string(key) + " \"" + std::string(path) + '"';
}

std::string entryWithCdTrack(std::string_view key, int track) {
    return std::string(key) + " CD " + twoDigits(std::clamp(track, 1, 36));
}

SectionHeadings sectionHeadings(HeadingStyle style, std::string_view game) {
    const std::string lead = style == HeadingStyle::BuiltIn ? " # -  " : " # ";
    return {lead + "INTERMISSION MUSIC FOR " + std::string(game),
            lead + "MAP MUSIC FOR " + std::string(game)};
}

std::vector<std::string> sectionHeadLines(MapSet set, const SectionHeadings& headings,
                                          const SlotEntry& entry) {
    std::vector<std::string> lines = {"", headings.intermission, ""};
    for (std::string_view key : intermissionKeys(set))
        lines.push_back(entry(key));
    // Doom II has one intermission lump fewer; a second blank keeps the map
    // heading on the same line as in the Doom section.
    lines.push_back("");
    if (set == MapSet::Doom2)
        lines.push_back("");
    lines.insert(lines.end(), {headings.maps, ""});
    return lines;
}

std::vector<std::string> sectionLines(MapSet set, const SectionHeadings& headings,
                                      const SlotEntry& entry) {
    std::vector<std::string> lines = sectionHeadLines(set, headings, entry);
    for (const std::string& key : mapKeys(set))
        lines.push_back(entry(key));
    if (set == MapSet::Doom2)
        lines.push_back("");
    return lines;
}

bool isSafePlaylistName(std::string_view name) {
    return isUsableName(std::string(name) + std::string(kPlaylistExtension));
}

NewNameProblem newPlaylistNameProblem(std::string_view name) {
    // The file name, extension included, must fit one path component.
    constexpr std::size_t kMaxFileName = 255;
    if (name.size() + kPlaylistExtension.size() > kMaxFileName)
        return NewNameProblem::TooLong;
    if (name.find_first_of("\\/:*?\"<>|") != std::string_view::npos || hasControlByte(name))
        return NewNameProblem::ForbiddenCharacter;
    if (name.find_first_not_of(". ") == std::string_view::npos)
        return NewNameProblem::DotsAndBlanksOnly;
    // Whatever else the usable-name check refuses counts as a forbidden character.
    return isSafePlaylistName(name) ? NewNameProblem::None : NewNameProblem::ForbiddenCharacter;
}

std::string playlistPath(const InstallPaths& paths, std::string_view name) {
    return paths.musicFolder + std::string(name) + std::string(kPlaylistExtension);
}

bool playlistExists(const InstallPaths& paths, std::string_view name) {
    return isSafePlaylistName(name) && ci::isFile(playlistPath(paths, name));
}

bool ensureMusicFolder(const InstallPaths& paths) {
    return ci::isFolder(paths.musicFolder) || ci::createFolder(paths.musicFolder);
}

PlaylistText readPlaylist(const InstallPaths& paths, std::string_view name, std::size_t maxLines) {
    if (!isSafePlaylistName(name))
        return {IoStatus::NotFound, {}, false, 0};
    LeadingLines text = readLeadingLines(playlistPath(paths, name), maxLines, kListFileLimit);
    return {text.status, std::move(text.lines), text.more, text.bytes.size()};
}

IoStatus writePlaylist(const InstallPaths& paths, std::string_view name,
                       const std::vector<std::string>& lines) {
    if (!isSafePlaylistName(name))
        return IoStatus::AccessDenied;
    ensureMusicFolder(paths);
    return writeTextLines(playlistPath(paths, name), lines);
}

IoStatus writePlaylistKeepingRest(const InstallPaths& paths, std::string_view name,
                                  const std::vector<std::string>& lines, std::uint64_t& restAt) {
    if (!isSafePlaylistName(name))
        return IoStatus::AccessDenied;
    ensureMusicFolder(paths);
    const std::string head = joinLines(lines);
    const IoStatus status = replaceFileHead(playlistPath(paths, name), head, restAt);
    if (status == IoStatus::Ok)
        restAt = head.size();
    return status;
}

bool deletePlaylistFile(const InstallPaths& paths, std::string_view name) {
    if (!isSafePlaylistName(name))
        return false;
    return ci::removeFileInside(paths.musicFolder, playlistPath(paths, name));
}

namespace {

std::string lastMusicFolderFile(const InstallPaths& paths) {
    return paths.musicFolder + "music.krv";
}

} // namespace

std::string readLastMusicFolder(const InstallPaths& paths) {
    const TextLines text = readTextLines(lastMusicFolderFile(paths));
    if (text.lines.empty())
        return {};
    const std::string folder = ci::nativeSeparators(text.lines.front());
    return !folder.empty() && ci::isFolder(folder) ? folder : std::string();
}

IoStatus writeLastMusicFolder(const InstallPaths& paths, const std::string& folder) {
    ensureMusicFolder(paths);
    return writeTextLines(lastMusicFolderFile(paths), {folder});
}

} // namespace krv
