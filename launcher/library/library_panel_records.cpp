// What the games list reads from the library: the installed games, the
// files of a game and its main WAD, and the records that remember the
// player's last wad, map and saved game per game.

#include "launcher/library/library_panel.h"

#include "launcher/inspect/game_files.h"
#include "launcher/inspect/map_list.h"
#include "launcher/library/game_info.h"
#include "launcher/library/library_layout.h"
#include "launcher/ui/panel_controls.h"
#include "launcher/ui/qt_text.h"

#include "common/ci_path.h"
#include "common/strings.h"

#include <QListWidget>
#include <QPushButton>

#include <optional>

namespace krv {

// The games list may show names upper-cased; records, save folders and the
// engine's user directory take the folder's own spelling.
std::string LibraryPanel::installedGameFolderName(const std::string& entry) const {
    if (const auto found = ci::resolve(state_.paths.gamesFolder + entry))
        return found->filename().string();
    return entry;
}

LibraryPanel::GameFolderKind LibraryPanel::installedGameKind(const std::string& game) const {
    switch (gameKind(state_.paths, game)) {
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
void LibraryPanel::chooseMainWad(const std::string& folder) {
    // The checks run several at a time; their outcomes are shown in order,
    // as if they had run one after another.
    const WadBatchChecker checker =
        [this](const std::vector<std::string>& wads) -> std::optional<std::vector<int>> {
        const auto runs = runInspectionToolOnEach(platform_, state_.paths, "CHECKWAD", wads);
        if (!runs)
            return std::nullopt;
        std::vector<int> values;
        for (const HiddenRunResult& run : *runs)
            values.push_back(wadCheckScore(host_.showToolRun(run)));
        return values;
    };
    if (const auto chosen = krv::chooseMainWad(folder, checker))
        state_.mainWad = *chosen;
    const auto entry = entryOfMainWad(entriesOf(PwadShowlist), state_.mainWad);
    if (!entry) {
        n_.launchButton->setEnabled(false);
        return;
    }
    selectFileEntry(static_cast<int>(*entry), true);
    host_.updateWarpTarget();
}

// ---- Records ------------------------------------------------------------------

SelectedGame LibraryPanel::selectedGame() const {
    if (state_.gameSelection.autoGame)
        return {SelectedKind::AutoLoading, state_.gameSelection.autoGameName, selectedFileEntry()};
    if (state_.gameSelection.zip)
        return {SelectedKind::Zip, state_.settings.lastArchive, {}};
    if (state_.gameSelection.commercial)
        return {SelectedKind::Commercial, state_.settings.lastCommercialTitle, {}};
    return {SelectedKind::ManualLoading, state_.gameSelection.manualGameName, {}};
}

std::string LibraryPanel::selectedFileEntry() const {
    const QListWidgetItem* item = PwadShowlist->currentItem();
    return item && item->isSelected() ? item->text().toStdString() : std::string();
}

std::string LibraryPanel::selectedMapEntry() const {
    const QListWidgetItem* map = n_.mapList->currentItem();
    return map && map->isSelected() ? map->text().toStdString() : std::string();
}

std::string LibraryPanel::saveNameOfSelection() const {
    const SelectedGame game = selectedGame();
    return game.kind == SelectedKind::Commercial ? krv::commercialSaveName(game.name) : game.name;
}

void LibraryPanel::ReadMapRecord() {
    if (const auto row =
            GameInfoStore(state_.paths).restoreMap(selectedGame(), entriesOf(n_.mapList)))
        n_.mapList->setCurrentRow(*row);
    host_.updateWarpTarget();
}

// Restores the wad and map an auto-loading game had: the map remembered for
// the selected wad, or else the wad remembered last with its own map.
void LibraryPanel::ReadAutoRecords(const std::string& game) {
    const GameInfoStore store(state_.paths);
    const bool rememberMap = state_.settings.rememberLastMap;
    const AutoRestore restore = store.readAutoRecords(
        game, rememberMap, selectedFileEntry(), entriesOf(n_.mapList), entriesOf(PwadShowlist));
    if (restore.mapIndex)
        n_.mapList->setCurrentRow(*restore.mapIndex);
    if (restore.wadRestored) {
        state_.mainWad = restore.mainWad;
        state_.gameSelection.selectionMade = true;
        if (restore.wadIndex < 0) {
            n_.launchButton->setEnabled(false);
        } else {
            selectFileEntry(restore.wadIndex, false);
            state_.gameSelection.selectedFile =
                state_.gameSelection.currentGameFolder + restore.mainWad;
            n_.launchButton->setEnabled(true);
            host_.fillMapList(state_.gameSelection.selectedFile);
            const AutoRestore map = store.readAutoRecords(
                game, rememberMap, restore.mainWad, entriesOf(n_.mapList), entriesOf(PwadShowlist));
            if (map.mapIndex)
                n_.mapList->setCurrentRow(*map.mapIndex);
        }
    }
    host_.updateWarpTarget();
}

void LibraryPanel::WriteAutoRecords(const std::string& game) {
    GameInfoStore(state_.paths)
        .writeAutoRecords(game, selectedFileEntry(), selectedMapEntry(),
                          state_.settings.rememberLastMap);
}

void LibraryPanel::recordMapChoice(int row) {
    if (row < 0 || row >= n_.mapList->count())
        return;
    if (GameInfoStore(state_.paths)
            .recordMapChoice(selectedGame(), n_.mapList->item(row)->text().toStdString(),
                             state_.settings.rememberLastMap, state_.settings.rememberLastSavegame))
        state_.gameSelection.savedGameRestored = false;
}

void LibraryPanel::recordSaveGameChoice(const std::string& slot) {
    if (!slot.empty())
        GameInfoStore(state_.paths).writeSaveRecord(selectedGame(), slot[0]);
}

std::string LibraryPanel::rememberedSaveSlot() const {
    const auto slot = GameInfoStore(state_.paths).readSaveRecord(selectedGame());
    return slot ? std::string(1, *slot) : std::string();
}

} // namespace krv
