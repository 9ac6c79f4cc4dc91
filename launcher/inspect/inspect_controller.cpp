#include "launcher/inspect/inspect_controller.h"

#include "launcher/inspect/inspect_controls.h"
#include "launcher/inspect/map_list.h"

#include "common/ci_path.h"
#include "common/safe_names.h"
#include "common/text_file.h"

#include <algorithm>

namespace krv {

using namespace ids;

InspectController::InspectController(SessionModel& model, const InstallPaths& paths,
                                     const IwadRegistry& iwads, Platform& platform)
    : model_(model), c_(model.controls), paths_(paths), iwads_(iwads), platform_(platform) {
    declareInspectControls(c_);
    for (int box = 0; box < 2; ++box)
        c_.onActivated(SkillsLevel[box], [this](int index) { onSkillChosen(index); });
}

// A map or saved game clicked while " Start game from New" is shown brings
// the last skill back, so that the clicked entry is used.
void InspectController::restoreLastSkill() {
    if (c_.currentIndex(SkillsLevel[0]) == 0 && model_.settings.lastSkill > 0)
        chooseSkill(model_.settings.lastSkill);
}

// ---- Tool runs ----------------------------------------------------------------

std::string InspectController::runTool(const std::string& verb, const std::string& path) {
    return showToolRun(runInspectionToolChecked(platform_, paths_, verb, path));
}

std::string InspectController::showToolRun(const HiddenRunResult& run) {
    if (const std::string failure = toolFailureMessage(run); !failure.empty())
        platform_.showMessage(failure, msg::kCritical, " KRVgFiles");
    return run.output;
}

void InspectController::keepToolOutput(const std::string& output) {
    writeTextLines(ci::resolveForWrite(paths_.dataFolder + "pwad.krv"), splitLines(output),
                   Durability::Scratch);
}

void InspectController::fillMapList(const std::string& gameFile) {
    const std::string output = runTool("CHECKWAD", gameFile);
    model_.wadCheckLines.clear();
    if (output.empty())
        return;
    keepToolOutput(output);
    WadCheck check = parseWadCheck(output);
    model_.wadCheckLines = std::move(check.lines);
    model_.maps.fill(check.maps);
    if (!check.maps.empty())
        showMapTitles(gameFile);
}

// One more tool run names the maps' titles; its output stays out of
// "pwad.krv", which the engine reads as the map check's.
void InspectController::showMapTitles(const std::string& gameFile) {
    const auto titles = parseMapTitles(runInspectionTool(platform_, paths_, "MAPTITLES", gameFile));
    for (int row = 0; row < model_.maps.count(); ++row)
        if (const auto title = titles.find(model_.maps.text(row)); title != titles.end())
            model_.maps.setTitle(row, title->second);
}

void InspectController::FillSaveGameList(const std::string& folder) {
    const std::string output = runTool("GETSAVEHDRS", folder);
    model_.saveGames.clear();
    if (output.empty())
        return;
    keepToolOutput(output);
    model_.saveGames.fill(parseSaveGameList(output));
}

// ---- Skill and start kind -----------------------------------------------------

void InspectController::chooseSkill(int index) {
    for (int box = 0; box < 2; ++box) {
        const Controls::Quiet quiet(c_, SkillsLevel[box]);
        c_.setCurrentIndex(SkillsLevel[box], index);
    }
    onSkillChosen(index);
}

void InspectController::onSkillChosen(int index) {
    for (int box = 0; box < 2; ++box) {
        const Controls::Quiet quiet(c_, SkillsLevel[box]);
        c_.setCurrentIndex(SkillsLevel[box], index);
    }
    model_.settings.skill = index;
    if (index > 0)
        model_.settings.lastSkill = index;
    SetMapFocus();
}

void InspectController::SetMapFocus() {
    LaunchSelection& selection = model_.launchSelection;
    ListState& maps = model_.maps;
    if (c_.currentIndex(SkillsLevel[0]) == 0) {
        selection.startKind = StartKind::Normal;
        updateWarpTarget();
        maps.clearSelection();
        model_.saveGames.clearSelection();
        return;
    }
    if (selection.startKind == StartKind::LoadGame || maps.count() == 0)
        return;
    int row = 0;
    if (!maps.isSelected(0) && selection.loadSlot.empty() && !maps.text(0).empty() &&
        selection.rememberedMapIndex > 0 && selection.rememberedMapIndex < maps.count())
        row = selection.rememberedMapIndex;
    maps.setCurrentRow(row);
    selection.startKind = StartKind::Warp;
}

void InspectController::pressMapList() {
    model_.saveGames.clearSelection();
}

void InspectController::clickMap(int row) {
    LaunchSelection& selection = model_.launchSelection;
    selection.loadSlot.clear();
    selection.rememberedMapIndex = row;
    selection.startKind = StartKind::Warp;
    updateWarpTarget();
    if (model_.settings.rememberLastMap && listener_.mapChosen)
        listener_.mapChosen(row);
    restoreLastSkill();
}

void InspectController::clickSaveGame(int row) {
    chooseSaveGame(row);
    restoreLastSkill();
}

bool InspectController::chooseSaveGameOfSlot(const std::string& slot) {
    const int row = saveGameRowOfSlot(model_.saveGames.texts(), slot);
    if (row < 0)
        return false;
    model_.saveGames.setCurrentRow(row);
    chooseSaveGame(row);
    return true;
}

void InspectController::chooseSaveGame(int row) {
    if (row < 0 || row >= model_.saveGames.count())
        return;
    LaunchSelection& selection = model_.launchSelection;
    selection.loadSlot = model_.saveGames.text(row).substr(0, 1);
    selection.savedGamePath =
        model_.gameSelection.saveFolder + ci::kSep + "KorvathSav" + selection.loadSlot + ".krvsg";
    selection.startKind = StartKind::LoadGame;
    model_.maps.clearSelection();
    if (model_.settings.rememberLastSavegame && listener_.saveGameChosen)
        listener_.saveGameChosen(selection.loadSlot);
}

bool InspectController::saveGameMenuOffered() const {
    const int row = model_.saveGames.currentRow();
    return row >= 0 && model_.saveGames.isSelected(row);
}

void InspectController::DeleteSaveGame() {
    const int answer =
        platform_.showMessage("Are you certain you wish to delete this savegame?     ",
                              msg::kYesNoQuestion, " Delete selected savegame");
    if (answer != msg::kResultYes)
        return;
    LaunchSelection& selection = model_.launchSelection;
    const std::string path = selection.savedGamePath;
    if (!path.empty() && ci::isFile(path))
        ci::removeFileInside(model_.gameSelection.saveFolder, path);
    selection.loadSlot.clear();
    selection.startKind =
        c_.currentIndex(SkillsLevel[0]) == 0 ? StartKind::Normal : StartKind::Warp;
    if (listener_.saveGameDeleted)
        listener_.saveGameDeleted();
    if (model_.maps.count() > 0 && selection.startKind != StartKind::Normal) {
        model_.maps.setCurrentRow(0);
        selection.startKind = StartKind::Warp;
    }
}

// ---- Warp target ----------------------------------------------------------------

void InspectController::updateWarpTarget() {
    LaunchSelection& selection = model_.launchSelection;
    const WarpChoice choice =
        warpTargetFor(model_.maps.texts(), model_.maps.currentRow(), iwads_, model_.mainWad,
                      {selection.iwadPath, selection.warpMap});
    selection.iwadPath = choice.iwadPath;
    selection.warpMap = choice.warpMap;
}

void InspectController::settingsToControls(const Settings& s) {
    for (int box = 0; box < 2; ++box) {
        const int count = static_cast<int>(c_.state(SkillsLevel[box]).entries.size());
        c_.setCurrentIndex(SkillsLevel[box], std::clamp(s.skill, 0, count - 1));
    }
}

void InspectController::controlsToSettings(Settings& s) const {
    s.skill = std::max(0, c_.currentIndex(SkillsLevel[0]));
}

} // namespace krv
