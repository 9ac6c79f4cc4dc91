#include "launcher/library/game_info.h"

#include "launcher/inspect/iwad_registry.h"

#include "launcher/library/library_layout.h"

#include "common/ci_path.h"
#include "common/safe_names.h"
#include "common/strings.h"
#include "common/text_file.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

namespace krv {

namespace fs = std::filesystem;

namespace {

// A record is a few short lines; anything far larger is not one of ours and
// is not read into memory.
constexpr std::size_t kMaxRecordBytes = kSmallFileLimit;
constexpr std::size_t kMaxLineBytes = 1024;

bool isUsableLine(std::string_view line) {
    return !line.empty() && line.size() <= kMaxLineBytes && !hasControlByte(line);
}

// Every line of a record; none when it is missing, not a plain file,
// oversized or unreadable.
std::vector<std::string> readRawLines(const std::string& path) {
    if (path.empty())
        return {};
    TextLines file = readTextLines(path, kMaxRecordBytes);
    return file.status == IoStatus::Ok ? std::move(file.lines) : std::vector<std::string>();
}

// The lines of a record that can be values; the others are skipped.
std::vector<std::string> readRecordLines(const std::string& path) {
    std::vector<std::string> lines;
    for (std::string& line : readRawLines(path))
        if (isUsableLine(line))
            lines.push_back(std::move(line));
    return lines;
}

// The value of a one-line record; a first line that is no value means
// nothing is remembered.
std::string readFirstValue(const std::string& path) {
    std::vector<std::string> lines = readRawLines(path);
    if (lines.empty() || !isUsableLine(lines.front()))
        return {};
    return std::move(lines.front());
}

bool writeRecordLines(const std::string& path, const std::vector<std::string>& lines) {
    if (path.empty() || !ci::createFolder(fs::path(path).parent_path()))
        return false;
    return writeTextLines(path, lines) == IoStatus::Ok;
}

// A line of an auto-loading map record belongs to `wad` when it begins with
// the wad's name (ignoring case) followed by the separating blank, so that
// "a.wad" does not claim the line of "a.wad.wad". An empty `wad` (none
// selected) matches every line.
bool belongsToWad(std::string_view line, std::string_view wad) {
    if (wad.empty())
        return true;
    return line.size() > wad.size() && line[wad.size()] == ' ' && istartsWith(line, wad);
}

// The map the record holds for `wad`: the rest of the last line that
// belongs to it; none when no line does.
std::optional<std::string> mapOfWad(const std::vector<std::string>& lines, std::string_view wad) {
    std::optional<std::string> map;
    for (const std::string& line : lines)
        if (belongsToWad(line, wad))
            map = std::string(trim(std::string_view(line).substr(wad.size())));
    return map;
}

struct RecordFolders {
    const char* maps;
    const char* saves;
};

RecordFolders recordFoldersOf(SelectedKind kind) {
    switch (kind) {
    case SelectedKind::AutoLoading:
        return {"Gwads", "Save/Gwads"};
    case SelectedKind::Commercial:
        return {"Iwads", "Save"};
    case SelectedKind::Zip:
        return {"Zips", "Save/Zip"};
    case SelectedKind::ManualLoading:
        break;
    }
    return {"Pwads", "Save"};
}

// Commercial titles key their records through the title table.
std::string recordKeyOf(const SelectedGame& game) {
    return game.kind == SelectedKind::Commercial ? commercialRecordKey(game.name) : game.name;
}

std::optional<int> firstEntry(const std::vector<std::string>& entries) {
    return entries.empty() ? std::nullopt : std::optional<int>(0);
}

} // namespace

std::optional<int> findEntry(const std::vector<std::string>& entries, std::string_view value) {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (iequals(entries[i], value))
            return static_cast<int>(i);
    return std::nullopt;
}

GameInfoStore::GameInfoStore(const InstallPaths& paths)
    : folder_(paths.launcherFolder + "GameInfo") {}

std::string GameInfoStore::recordPath(std::string_view subFolder, std::string_view key,
                                      std::string_view extension) const {
    if (!isUsableName(key))
        return {};
    return folder_ + "/" + std::string(subFolder) + "/" + toLower(key) + std::string(extension);
}

std::string GameInfoStore::wadRecordPath(std::string_view autoGame) const {
    return recordPath("Gwads", autoGame, ".krvg");
}

std::string GameInfoStore::mapRecordPath(const SelectedGame& game) const {
    return recordPath(recordFoldersOf(game.kind).maps, recordKeyOf(game), ".krvm");
}

std::string GameInfoStore::saveRecordPath(const SelectedGame& game) const {
    std::string saves = recordFoldersOf(game.kind).saves;
    std::string key = recordKeyOf(game);
    // An auto-loading game remembers a saved game per wad.
    if (game.kind == SelectedKind::AutoLoading) {
        if (!isUsableName(game.name))
            return {};
        saves += "/" + toLower(game.name);
        key = isUsableName(game.wad) ? baseNameOfPath(game.wad) : std::string();
    }
    return recordPath(saves, key, ".krvs");
}

bool GameInfoStore::writeAutoRecords(std::string_view game, std::string_view wad,
                                     std::string_view map, bool rememberLastMap) const {
    if (!isUsableName(wad) || !writeRecordLines(wadRecordPath(game), {std::string(wad)}))
        return false;
    if (rememberLastMap)
        updateAutoMapRecord(game, wad, map);
    return true;
}

// Keeps one line per wad: the wad's first line takes the new map in place,
// later lines of the wad go, and a new wad is added at the end.
bool GameInfoStore::updateAutoMapRecord(std::string_view game, std::string_view wad,
                                        std::string_view map) const {
    if (!isUsableName(wad) || !isUsableLine(map))
        return false;
    const std::string path = mapRecordPath({SelectedKind::AutoLoading, std::string(game), {}});
    const std::string newLine = std::string(wad) + " " + std::string(map);
    std::vector<std::string> lines = readRecordLines(path);
    lines.push_back(newLine);

    std::vector<std::string> kept;
    bool replaced = false;
    for (std::string& line : lines) {
        if (!belongsToWad(line, wad)) {
            kept.push_back(std::move(line));
        } else if (!replaced) {
            kept.push_back(newLine);
            replaced = true;
        }
    }
    return writeRecordLines(path, kept);
}

std::string GameInfoStore::readWadRecord(std::string_view autoGame) const {
    return readFirstValue(wadRecordPath(autoGame));
}

AutoRestore GameInfoStore::readAutoRecords(std::string_view game, bool rememberLastMap,
                                           std::string_view selectedWad,
                                           const std::vector<std::string>& maps,
                                           const std::vector<std::string>& files) const {
    AutoRestore restore;
    if (rememberLastMap) {
        const auto lines =
            readRecordLines(mapRecordPath({SelectedKind::AutoLoading, std::string(game), {}}));
        const std::optional<std::string> map = mapOfWad(lines, selectedWad);
        restore.mapIndex = map ? findEntry(maps, *map) : std::nullopt;
        if (restore.mapIndex)
            return restore;
        restore.mapIndex = firstEntry(maps);
        // Nothing remembered for the wad: the selection stands as it is.
        if (!map)
            return restore;
    }
    restore.wadRestored = true;
    restore.mainWad = readWadRecord(game);
    if (!restore.mainWad.empty())
        restore.wadIndex = findEntry(files, restore.mainWad).value_or(-1);
    return restore;
}

bool GameInfoStore::writeMapRecord(const SelectedGame& game, std::string_view map) const {
    if (game.kind == SelectedKind::AutoLoading)
        return updateAutoMapRecord(game.name, game.wad, map);
    if (!isUsableLine(map))
        return false;
    return writeRecordLines(mapRecordPath(game), {std::string(map)});
}

std::string GameInfoStore::readMapRecord(const SelectedGame& game) const {
    if (game.kind == SelectedKind::AutoLoading)
        return mapOfWad(readRecordLines(mapRecordPath(game)), game.wad).value_or(std::string());
    return std::string(trim(readFirstValue(mapRecordPath(game))));
}

std::optional<int> GameInfoStore::restoreMap(const SelectedGame& game,
                                             const std::vector<std::string>& maps) const {
    const std::string map = readMapRecord(game);
    const std::optional<int> listed = map.empty() ? std::nullopt : findEntry(maps, map);
    return listed ? listed : firstEntry(maps);
}

bool GameInfoStore::writeSaveRecord(const SelectedGame& game, char slot) const {
    if (slot < '0' || slot > '9')
        return false;
    return writeRecordLines(saveRecordPath(game), {std::string(1, slot)});
}

std::optional<char> GameInfoStore::readSaveRecord(const SelectedGame& game) const {
    // The record text must outlive the trimmed view of it.
    const std::string record = readFirstValue(saveRecordPath(game));
    const std::string_view value = trim(record);
    if (value.empty() || value.front() < '0' || value.front() > '9')
        return std::nullopt;
    return value.front();
}

bool GameInfoStore::deleteSaveRecord(const SelectedGame& game) const {
    const std::string path = saveRecordPath(game);
    return !path.empty() && ci::removeFileInside(folder_, path);
}

std::optional<int>
GameInfoStore::restoreSavedGame(const SelectedGame& game,
                                const std::vector<std::string>& savedGames) const {
    const std::optional<char> slot = readSaveRecord(game);
    if (!slot)
        return std::nullopt;
    for (std::size_t i = 0; i < savedGames.size(); ++i)
        if (!savedGames[i].empty() && savedGames[i].front() == *slot)
            return static_cast<int>(i);
    return std::nullopt;
}

bool GameInfoStore::recordMapChoice(const SelectedGame& game, std::string_view map,
                                    bool rememberLastMap, bool rememberLastSavegame) const {
    if (!rememberLastMap)
        return false;
    if (game.kind == SelectedKind::AutoLoading)
        writeAutoRecords(game.name, game.wad, map, true);
    else
        writeMapRecord(game, map);
    if (!rememberLastSavegame)
        return false;
    deleteSaveRecord(game);
    return true;
}

void GameInfoStore::clearMapRecords() const {
    for (const char* sub : {"/Iwads", "/Pwads", "/Zips"})
        ci::removeTreeInside(folder_, folder_ + sub);
    const std::string autoFolder = folder_ + "/Gwads";
    for (const std::string& name : ci::listFolder(autoFolder))
        if (iendsWith(name, ".krvm"))
            ci::removeFileInside(autoFolder, autoFolder + "/" + name);
}

void GameInfoStore::clearSaveRecords() const {
    ci::removeTreeInside(folder_, folder_ + "/Save");
}

} // namespace krv
