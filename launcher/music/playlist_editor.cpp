#include "launcher/music/playlist_editor.h"

#include "launcher/music/playlist_builtin.h"

#include "common/ci_path.h"
#include "common/safe_names.h"
#include "common/strings.h"
#include "common/text_file.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

namespace krv {

namespace fs = std::filesystem;

namespace {

// Positions in the canonical layout.
constexpr std::size_t kIntermissionHeading = 1;
constexpr std::size_t kFirstIntermission = 3;
constexpr std::size_t kMapHeading = 9;
constexpr std::size_t kFirstMap = 11;
// D_VICTOR's line in a Doom section, the first line after E4M5.
constexpr std::size_t kVictorLine = 7;
constexpr std::size_t kAfterE4M5 = 43;

constexpr std::string_view kDoomOnlyMaps[] = {"E4M6", "E4M7", "E4M8", "E4M9"};

// The key of a line: the text before the first space after the first
// character, so that a heading's key is " #".
std::string_view lineKey(std::string_view line) {
    const auto space = line.empty() ? std::string_view::npos : line.find(' ', 1);
    return line.substr(0, space);
}

bool isDoomOnlyMap(std::string_view line) {
    return std::any_of(std::begin(kDoomOnlyMaps), std::end(kDoomOnlyMaps),
                       [&](std::string_view key) { return iequals(lineKey(line), key); });
}

SectionHeadings editorHeadings(MapSet set) {
    return sectionHeadings(HeadingStyle::Editor, set == MapSet::Doom ? "DOOM" : "DOOM II");
}

// The head of the canonical layout for `set`, the music of the intermission
// lines carried over by position.
void rewriteHead(std::vector<std::string>& lines, MapSet set) {
    if (lines.size() < kFirstMap)
        lines.resize(kFirstMap);
    const SectionHeadings headings = editorHeadings(set);
    lines[kIntermissionHeading] = headings.intermission;
    const auto keys = intermissionKeys(set);
    for (std::size_t k = 0; k < keys.size(); ++k) {
        std::string& line = lines[kFirstIntermission + k];
        line = std::string(keys[k]) + GetMusicString(line);
    }
    for (std::size_t i = kFirstIntermission + keys.size(); i < kMapHeading; ++i)
        lines[i].clear();
    lines[kMapHeading] = headings.maps;
    lines[kMapHeading + 1].clear();
}

// Every map line takes the other game's key, keeping its music.
void convertMapKeys(std::vector<std::string>& lines, PlaylistType from) {
    for (std::size_t i = kFirstMap; i < lines.size(); ++i)
        if (const auto key = GetNewMap(lineKey(lines[i]), from))
            lines[i] = *key + GetMusicString(lines[i]);
}

void toDoom2(EditedPlaylist& playlist) {
    auto& lines = playlist.lines;
    if (lines.size() < kFirstMap)
        lines.resize(kFirstMap);
    playlist.cloneList = {lines[kVictorLine]};
    if (lines.size() > kAfterE4M5)
        playlist.cloneList.insert(playlist.cloneList.end(), lines.begin() + kAfterE4M5,
                                  lines.end());
    lines.erase(std::remove_if(lines.begin() + kFirstMap, lines.end(),
                               [](const std::string& l) { return isDoomOnlyMap(l); }),
                lines.end());
    rewriteHead(lines, MapSet::Doom2);
    convertMapKeys(lines, PlaylistType::Doom);
    playlist.type = PlaylistType::Doom2;
}

void toDoom(EditedPlaylist& playlist) {
    auto& lines = playlist.lines;
    rewriteHead(lines, MapSet::Doom);
    convertMapKeys(lines, PlaylistType::Doom2);
    std::vector<std::string> doomOnly;
    if (playlist.cloneList.empty()) {
        doomOnly.assign(std::begin(kDoomOnlyMaps), std::end(kDoomOnlyMaps));
    } else {
        lines[kVictorLine] = playlist.cloneList.front();
        std::copy_if(playlist.cloneList.begin() + 1, playlist.cloneList.end(),
                     std::back_inserter(doomOnly),
                     [](const std::string& l) { return isDoomOnlyMap(l); });
        playlist.cloneList.clear();
    }
    // After E4M5, or after the last map line when E4M5 is missing.
    auto at = std::find_if(lines.begin() + kFirstMap, lines.end(),
                           [](const std::string& l) { return iequals(lineKey(l), "E4M5"); });
    if (at == lines.end())
        at = std::find_if(lines.rbegin(), lines.rend() - kFirstMap, [](const std::string& l) {
                 return isDoomMapLine(l);
             }).base();
    else
        ++at;
    lines.insert(at, doomOnly.begin(), doomOnly.end());
    playlist.type = PlaylistType::Doom;
}

std::vector<std::string> withoutTrailingBlanks(std::vector<std::string> lines) {
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

std::vector<std::string> endingInBlank(std::vector<std::string> lines) {
    if (lines.empty() || !lines.back().empty())
        lines.push_back("");
    return lines;
}

} // namespace

// ---- Lines ----

std::string GetMusicString(std::string_view line) {
    const auto space = line.find(' ');
    if (line.size() < 10 || space == std::string_view::npos)
        return {};
    return std::string(line.substr(space));
}

std::optional<std::string> GetNewMap(std::string_view key, PlaylistType type) {
    const std::vector<std::string> doom = mapKeys(MapSet::Doom);
    const std::vector<std::string> doom2 = mapKeys(MapSet::Doom2);
    const auto& from = type == PlaylistType::Doom ? doom : doom2;
    const auto& to = type == PlaylistType::Doom ? doom2 : doom;
    if (type == PlaylistType::Mixed)
        return std::nullopt;
    const auto found = std::find_if(from.begin(), from.end(),
                                    [&](const std::string& k) { return iequals(k, key); });
    const auto index = static_cast<std::size_t>(found - from.begin());
    if (found == from.end() || index >= to.size())
        return std::nullopt;
    return to[index];
}

bool MixedMapTypes(const std::vector<std::string>& lines) {
    const auto startsWith = [&](std::string_view letter) {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& l) { return istartsWith(l, letter); });
    };
    return startsWith("M") && startsWith("E");
}

bool takesMusic(std::string_view line) {
    return istartsWith(line, "D_") || isDoomMapLine(line) || isDoom2MapLine(line);
}

std::string withoutMusic(std::string_view line) {
    return std::string(lineKey(line));
}

// ---- Menus ----

std::string GetListPath(const InstallPaths& paths, std::string_view name,
                        const std::string& previous) {
    for (MusicPack pack : kMusicPacks)
        if (istartsWith(name, artistName(pack).substr(0, 4)))
            return artistFolder(paths, pack);
    return previous;
}

bool isBuiltInPlaylist(std::string_view name) {
    // "Tiber - TNT" is not among them: it stays open to conversions.
    constexpr std::string_view kProtected[] = {
        "Moldwin - Doom & Doom2", "Moldwin - Plutonia", "Moldwin - TNT", "Tiber - Doom & Doom2",
        "Tiber - Plutonia",       "Dunmóre - TNT",      "K-Vane - Doom2"};
    return std::any_of(std::begin(kProtected), std::end(kProtected),
                       [&](std::string_view n) { return iequals(n, name); });
}

std::optional<std::string> readmeFile(const EditedPlaylist& playlist) {
    if (!isBuiltInPlaylist(playlist.name) || playlist.artistFolder.empty())
        return std::nullopt;
    const auto found = ci::resolve(playlist.artistFolder + ci::kSep + "readme.txt");
    if (!found || !ci::isFile(*found))
        return std::nullopt;
    return found->string();
}

std::optional<std::string> playlistHelpFile(const InstallPaths& paths) {
    const auto found = ci::resolve(paths.dataFolder + "playlist.txt");
    if (!found || !ci::isFile(*found))
        return std::nullopt;
    return found->string();
}

bool canConvert(const EditedPlaylist& playlist) {
    return !isBuiltInPlaylist(playlist.name) && !MixedMapTypes(playlist.lines);
}

std::string notepadCommand(const std::string& file) {
    return "notepad.exe \"" + file + "\"";
}

std::vector<std::string> textEditorCommands(const InstallPaths& paths, std::string_view name) {
    if (!playlistExists(paths, name))
        return {};
    const std::string file = ci::resolve(playlistPath(paths, name))->string();
    std::vector<std::string> commands;
    const TextLines editor = readTextLines(paths.dataFolder + "editor.krv");
    if (editor.status == IoStatus::Ok && !editor.lines.empty()) {
        // Quoted on the command line, so a program path may hold blanks but
        // never a double quote.
        const std::string program(trim(editor.lines.front()));
        fs::path full(program);
        if (full.is_relative())
            full = fs::path(paths.root) / full;
        if (!program.empty() && program.find('"') == std::string::npos &&
            !hasControlByte(program) && ci::isFile(full))
            commands.push_back('"' + program + "\" \"" + file + '"');
    }
    commands.push_back(notepadCommand(file));
    return commands;
}

// ---- Adding music ----

OpenFileRequest addMusicRequest(const InstallPaths& paths, const std::string& lastFolder) {
    return {"Add or Replace a music file to the Playlist",
            "All Files (*.*);;Mp3 Files (*.mp3);;Ogg Files (*.ogg);;Mid Files (*.mid)",
            lastFolder.empty() ? paths.musicFolder : lastFolder};
}

AddedMusic addMusicFile(const InstallPaths& paths, std::string_view line, const std::string& file) {
    AddedMusic added;
    const fs::path chosen(file);
    added.folder = chosen.parent_path().string();
    std::string extension = chosen.extension().string();
    if (!extension.empty())
        extension.erase(0, 1);
    if (!isAcceptedMusicType(extension)) {
        added.refusal =
            PlaylistMessage{" Error", " This file type is not supported.    ", msg::kCritical};
        return added;
    }
    // A quote would end the quoted entry early, a line break split it.
    if (file.find('"') != std::string::npos || hasControlByte(file)) {
        added.refusal = PlaylistMessage{" Error",
                                        " A playlist cannot hold this file's name: it contains "
                                        "a double quote or a control character.    ",
                                        msg::kCritical};
        return added;
    }
    std::string_view path = file;
    const std::string rootPrefix = paths.root + ci::kSep;
    if (istartsWith(path, rootPrefix))
        path.remove_prefix(paths.root.size());
    added.line = entryWithQuotedPath(lineKey(line), path);
    return added;
}

std::string cdTrackLine(std::string_view line, int track) {
    return entryWithCdTrack(lineKey(line), track);
}

// ---- Conversions ----

void ToggleMap(EditedPlaylist& playlist) {
    if (playlist.type == PlaylistType::Doom)
        toDoom2(playlist);
    else if (playlist.type == PlaylistType::Doom2)
        toDoom(playlist);
    else
        return;
    playlist.unsaved = true;
}

void Clone(EditedPlaylist& playlist) {
    if (playlist.type == PlaylistType::Mixed)
        return;
    EditedPlaylist other = playlist;
    other.cloneList.clear(); // a Doom section made from Doom II gets bare E4M6-E4M9
    ToggleMap(other);
    const bool fromDoom = playlist.type == PlaylistType::Doom;
    std::vector<std::string> lines = withoutTrailingBlanks(fromDoom ? playlist.lines : other.lines);
    const std::vector<std::string> doom2 = endingInBlank(fromDoom ? other.lines : playlist.lines);
    lines.insert(lines.end(), doom2.begin(), doom2.end());
    playlist.lines = std::move(lines);
    playlist.type = PlaylistType::Mixed;
    playlist.unsaved = true;
}

PlaylistMessage cloneQuestion() {
    return {" Clone playlist",
            "This procedure will duplicate the current playlist making it    \r\n"
            " compatible with all Doom wads, do you wish to continue?       ",
            msg::kYesNoQuestion};
}

// ---- Saving and closing ----

PlaylistMessage saveFailedMessage() {
    return {" Save playlist", " The playlist could not be saved.    ", msg::kCritical};
}

std::optional<PlaylistMessage> closingQuestion(EditedPlaylist& playlist) {
    if (playlist.unsaved) {
        playlist.converted = false;
        return PlaylistMessage{" Save playlist",
                               " Your playlist has unsaved changes.      \r\n"
                               "  Do you want to save on exiting?        ",
                               msg::kYesNoQuestion};
    }
    if (playlist.converted)
        return PlaylistMessage{" Save playlist to new format",
                               " Your playlist has been converted to the new format.     \r\n"
                               "   Do you wish to save the new format on exiting?        ",
                               msg::kYesNoQuestion};
    return std::nullopt;
}

} // namespace krv
