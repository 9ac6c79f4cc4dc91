#pragma once
// The GameInfo records under KRVLaunch/GameInfo: per game, the wad, map and
// saved game chosen last, so that selecting the game again restores them.
//
//   Gwads/<game>.krvg                  auto-loading game: wad last selected
//   Gwads/<game>.krvm                  auto-loading game: "<wad> <map>" per wad
//   Pwads/<game>.krvm                  manual-loading game: map
//   Iwads/<title key>.krvm             commercial title: map
//   Zips/<zip>.krvm                    zip archive: map
//   Save/<game or title key>.krvs      slot digit of the saved game
//   Save/Zip/<zip>.krvs                ... of a zip archive
//   Save/Gwads/<game>/<wad base>.krvs  ... of a wad of an auto-loading game
//
// Record names are written lower-cased and found ignoring case. A record
// that is missing, unreadable, oversized or holds control bytes reads as
// nothing remembered; a failed write is ignored. Nothing here throws.

#include "launcher/startup/install_paths.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krv {

// Which of the four selection marks is set.
enum class SelectedKind { AutoLoading, ManualLoading, Commercial, Zip };

struct SelectedGame {
    SelectedKind kind = SelectedKind::ManualLoading;
    std::string name; // game folder name, title of the Doom games view, or zip base name
    std::string wad;  // auto-loading only: file name of the selected wad
};

// What restoring an auto-loading game selects.
struct AutoRestore {
    // The map list entry to select; none leaves the map list as it is.
    std::optional<int> mapIndex;
    // The wad record was read: select the game in the games list and
    // `wadIndex` in the game files list, and mark that a selection was made.
    bool wadRestored = false;
    std::string mainWad; // the recorded wad's file name, unchanged
    int wadIndex = -1;   // -1: the wad is not listed and Launch is disabled
};

class GameInfoStore {
public:
    explicit GameInfoStore(const InstallPaths& paths);

    // "KRVLaunch/GameInfo".
    const std::string& folder() const { return folder_; }

    // Where the records of a game lie; empty when a name cannot key a record
    // (empty, a separator, a control byte ...).
    std::string wadRecordPath(std::string_view autoGame) const;
    std::string mapRecordPath(const SelectedGame& game) const;
    std::string saveRecordPath(const SelectedGame& game) const;

    // Writes the wad record of an auto-loading game and, with "Remember last
    // map" on and a map chosen, updates its map record. Nothing without a
    // game or a wad. True when the wad record was written.
    bool writeAutoRecords(std::string_view game, std::string_view wad, std::string_view map,
                          bool rememberLastMap) const;
    // The wad record's value; empty when nothing is remembered.
    std::string readWadRecord(std::string_view autoGame) const;
    // Restores an auto-loading game from its records: the map remembered
    // for `selectedWad` (matched as a line prefix, so an empty wad matches
    // every line) and, when no remembered map is listed or "Remember last
    // map" is off, the wad remembered last.
    AutoRestore readAutoRecords(std::string_view game, bool rememberLastMap,
                                std::string_view selectedWad, const std::vector<std::string>& maps,
                                const std::vector<std::string>& files) const;

    // Writes the map record of the game (for an auto-loading game, updates
    // the line of its wad). True when written.
    bool writeMapRecord(const SelectedGame& game, std::string_view map) const;
    // The remembered map, trimmed; empty when nothing is remembered.
    std::string readMapRecord(const SelectedGame& game) const;
    // The map list entry to select for the game: the remembered map when
    // listed (ignoring case), else the first; none for an empty list.
    std::optional<int> restoreMap(const SelectedGame& game,
                                  const std::vector<std::string>& maps) const;

    // The savegame record: one slot digit.
    bool writeSaveRecord(const SelectedGame& game, char slot) const;
    std::optional<char> readSaveRecord(const SelectedGame& game) const;
    bool deleteSaveRecord(const SelectedGame& game) const;
    // The savegame list entry to select: the first whose first character is
    // the remembered slot; none when nothing is remembered or not listed.
    std::optional<int> restoreSavedGame(const SelectedGame& game,
                                        const std::vector<std::string>& savedGames) const;

    // A map was clicked: with "Remember last map" on, records it and, with
    // "Remember last savegame" on too, forgets the remembered saved game.
    // True when the saved-game-restored mark is to be cleared.
    bool recordMapChoice(const SelectedGame& game, std::string_view map, bool rememberLastMap,
                         bool rememberLastSavegame) const;

    // "Remember last map" switched off: every map record goes; the wad
    // records of auto-loading games stay.
    void clearMapRecords() const;
    // "Remember last savegame" switched off: every savegame record goes; the
    // saved games themselves stay.
    void clearSaveRecords() const;

private:
    std::string recordPath(std::string_view subFolder, std::string_view key,
                           std::string_view extension) const;
    bool updateAutoMapRecord(std::string_view game, std::string_view wad,
                             std::string_view map) const;

    std::string folder_;
};

// The index of the first entry equal to `value` ignoring case; none when no
// entry is.
std::optional<int> findEntry(const std::vector<std::string>& entries, std::string_view value);

} // namespace krv
