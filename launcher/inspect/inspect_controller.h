#pragma once
// The map and savegame lists and the skill selectors on the session model:
// the lists filled from the inspection tool's answers, the warp target and
// IWAD that the chosen map needs, and the start kind that a click on a map,
// a saved game or a skill decides.

#include "launcher/inspect/iwad_registry.h"
#include "launcher/platform/platform.h"
#include "launcher/session/session_model.h"
#include "launcher/startup/install_paths.h"

#include <functional>
#include <string>

namespace krv {

// What the other parts of the window follow of the lists.
struct InspectListener {
    // A map or a saved game was chosen: the library remembers it when the
    // player asked for that.
    std::function<void(int row)> mapChosen;
    std::function<void(const std::string& slot)> saveGameChosen;
    // A saved game was deleted: the selection is made again.
    std::function<void()> saveGameDeleted;
};

class InspectController {
public:
    // Declares the lists' and the skill selectors' controls.
    InspectController(SessionModel& model, const InstallPaths& paths, const IwadRegistry& iwads,
                      Platform& platform);
    void setListener(InspectListener listener) { listener_ = std::move(listener); }

    // The inspection tool's answers put into the lists; the tool's output is
    // kept in "pwad.krv" for the engine.
    void fillMapList(const std::string& gameFile);
    void FillSaveGameList(const std::string& folder);
    // Runs the tool, reports a run that failed to start and answers its output.
    std::string runTool(const std::string& verb, const std::string& path);
    std::string showToolRun(const HiddenRunResult& run);

    // The skill setting into both skill boxes and back.
    void settingsToControls(const Settings& s);
    void controlsToSettings(Settings& s) const;
    // Both skill boxes show `index`, and the start follows it.
    void chooseSkill(int index);
    void SetMapFocus();
    // The player's clicks: a press on the map list drops the chosen saved
    // game; a click on a map or a saved game chooses it.
    void pressMapList();
    void clickMap(int row);
    void clickSaveGame(int row);
    void chooseSaveGame(int row);
    // Selects and chooses the saved game of the slot; false for none.
    bool chooseSaveGameOfSlot(const std::string& slot);
    // The saved game's task menu is offered on a chosen entry.
    bool saveGameMenuOffered() const;
    void DeleteSaveGame();
    // Derives the warp target and the IWAD it needs from the map list.
    void updateWarpTarget();

private:
    void keepToolOutput(const std::string& output);
    void showMapTitles(const std::string& gameFile);
    void restoreLastSkill();
    void onSkillChosen(int index);

    SessionModel& model_;
    Controls& c_;
    const InstallPaths& paths_;
    const IwadRegistry& iwads_;
    Platform& platform_;
    InspectListener listener_;
};

} // namespace krv
