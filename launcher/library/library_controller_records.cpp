// What the games list reads from the library: the installed games, the
// files of a game and its main WAD, and the records that remember the
// player's last wad, map and saved game per game.

#include "launcher/library/library_controller.h"

#include "launcher/inspect/game_files.h"
#include "launcher/inspect/map_list.h"
#include "launcher/launch/launch_controls.h"
#include "launcher/library/game_info.h"
#include "launcher/library/library_layout.h"

#include "common/ci_path.h"
#include "common/strings.h"

#include <optional>

namespace krv {

// The games list may show names upper-cased; records, save folders and the
// engine's user directory take the folder's own spelling.
std::string LibraryController::installedGameFolderName(const std::string& entry) const {
    if (const auto found = ci::resolve(paths_.gamesFolder + entry))
        return found->filename().string();
    return entry;
}

LibraryController::GameFolderKind
LibraryController::installedGameKind(const std::string& game) const {
    switch (gameKind(paths_, game)) {
    case GameKind::Auto:
        return GameFolderKind::Auto;
    case GameKind::Manual:
        return GameFolderKind::Manual;
    default:
        return GameFolderKind::None;
    }
}

// The main WAD of a manual-loading game, a zip or a Doom game: chosen by its
// levels, selected in the game files list (which lists its maps), and the
// warp target updated. A folder without a WAD keeps the main WAD as it was.
void LibraryController::chooseMainWad(const std::string& folder) {
    // The checks run several at a time; their outcomes are shown in order,
    // as if they had run one after another.
    const WadBatchChecker checker =
        [this](const std::vector<std::string>& wads) -> std::optional<std::vector<int>> {
        const auto runs = runInspectionToolOnEach(platform_, paths_, "CHECKWAD", wads);
        if (!runs)
            return std::nullopt;
        std::vector<int> values;
        for (const HiddenRunResult& run : *runs)
            values.push_back(wadCheckScore(inspect_.showToolRun(run)));
        return values;
    };
    if (const auto chosen = krv::chooseMainWad(folder, checker))
        model_.mainWad = *chosen;
    const auto entry = entryOfMainWad(files_.texts(), model_.mainWad);
    if (!entry) {
        setLaunchable(false);
        return;
    }
    selectFileEntry(static_cast<int>(*entry), true);
    inspect_.updateWarpTarget();
}

// ---- Records ------------------------------------------------------------------

SelectedGame LibraryController::selectedGame() const {
    if (model_.gameSelection.autoGame)
        return {SelectedKind::AutoLoading, model_.gameSelection.autoGameName, selectedFileEntry()};
    if (model_.gameSelection.zip)
        return {SelectedKind::Zip, model_.settings.lastArchive, {}};
    if (model_.gameSelection.commercial)
        return {SelectedKind::Commercial, model_.settings.lastCommercialTitle, {}};
    return {SelectedKind::ManualLoading, model_.gameSelection.manualGameName, {}};
}

std::string LibraryController::selectedFileEntry() const {
    const int row = files_.currentRow();
    return files_.isSelected(row) ? files_.text(row) : std::string();
}

std::string LibraryController::selectedMapEntry() const {
    const ListState& maps = model_.maps;
    const int row = maps.currentRow();
    return maps.isSelected(row) ? maps.text(row) : std::string();
}

std::string LibraryController::saveNameOfSelection() const {
    const SelectedGame game = selectedGame();
    return game.kind == SelectedKind::Commercial ? krv::commercialSaveName(game.name) : game.name;
}

void LibraryController::ReadMapRecord() {
    if (const auto row = GameInfoStore(paths_).restoreMap(selectedGame(), model_.maps.texts()))
        model_.maps.setCurrentRow(*row);
    inspect_.updateWarpTarget();
}

// Restores the wad and map an auto-loading game had: the map remembered for
// the selected wad, or else the wad remembered last with its own map.
void LibraryController::ReadAutoRecords(const std::string& game) {
    const GameInfoStore store(paths_);
    const bool rememberMap = model_.settings.rememberLastMap;
    const AutoRestore restore = store.readAutoRecords(game, rememberMap, selectedFileEntry(),
                                                      model_.maps.texts(), files_.texts());
    if (restore.mapIndex)
        model_.maps.setCurrentRow(*restore.mapIndex);
    if (restore.wadRestored) {
        model_.mainWad = restore.mainWad;
        model_.gameSelection.selectionMade = true;
        if (restore.wadIndex < 0) {
            setLaunchable(false);
        } else {
            selectFileEntry(restore.wadIndex, false);
            model_.gameSelection.selectedFile =
                model_.gameSelection.currentGameFolder + restore.mainWad;
            setLaunchable(true);
            inspect_.fillMapList(model_.gameSelection.selectedFile);
            const AutoRestore map = store.readAutoRecords(game, rememberMap, restore.mainWad,
                                                          model_.maps.texts(), files_.texts());
            if (map.mapIndex)
                model_.maps.setCurrentRow(*map.mapIndex);
        }
    }
    inspect_.updateWarpTarget();
}

void LibraryController::WriteAutoRecords(const std::string& game) {
    GameInfoStore(paths_).writeAutoRecords(game, selectedFileEntry(), selectedMapEntry(),
                                           model_.settings.rememberLastMap);
}

void LibraryController::recordMapChoice(int row) {
    if (row < 0 || row >= model_.maps.count())
        return;
    if (GameInfoStore(paths_).recordMapChoice(selectedGame(), model_.maps.text(row),
                                              model_.settings.rememberLastMap,
                                              model_.settings.rememberLastSavegame))
        model_.gameSelection.savedGameRestored = false;
}

void LibraryController::recordSaveGameChoice(const std::string& slot) {
    if (!slot.empty())
        GameInfoStore(paths_).writeSaveRecord(selectedGame(), slot[0]);
}

std::string LibraryController::rememberedSaveSlot() const {
    const auto slot = GameInfoStore(paths_).readSaveRecord(selectedGame());
    return slot ? std::string(1, *slot) : std::string();
}

} // namespace krv
