#pragma once
// The Games tab's map and savegame lists and the skill selectors: the lists
// are filled by the inspection tool, and a click on a map or a saved game
// decides how the engine starts.

#include "launcher/platform/platform.h"
#include "launcher/startup/app_state.h"

#include <QObject>

#include <array>
#include <string>

class QAction;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QWidget;

namespace krv {

class InspectPanel : public QObject {
    Q_OBJECT
public:
    // `page` parents the shown controls, `window` the hidden tool buffers
    // and the task menu.
    InspectPanel(AppState& state, Platform& platform, QWidget* page, QWidget* window);

    // Where a map entry keeps the title the WAD gives the map (the entry's
    // text stays the map name); the entry's tooltip shows it too.
    static constexpr int kMapTitleRole = Qt::UserRole + 1;

    // The inspection tool's answers put into the lists; the tool's output is
    // kept in "pwad.krv" for the engine.
    void fillMapList(const std::string& gameFile);
    void FillSaveGameList(const std::string& folder);
    // Runs the tool, reports a run that failed to start and keeps its output.
    std::string runTool(const std::string& verb, const std::string& path);
    std::string showToolRun(const HiddenRunResult& run);

    // The skill setting into both skill boxes and back.
    void settingsToControls(const Settings& s);
    void controlsToSettings(Settings& s) const;
    // Puts `SkillsLevel` 1 back into the skill frame, wherever it was shown.
    void restoreSkillBox();
    // Both skill boxes show `index`, and the start follows it.
    void chooseSkill(int index);
    void SetMapFocus();
    void chooseSaveGame(int row);
    // Selects and chooses the saved game of the slot; false for none.
    bool chooseSaveGameOfSlot(const std::string& slot);
    void DeleteSaveGame();
    // Derives the warp target and the IWAD it needs from the map list.
    void updateWarpTarget();

    QListWidget* MapList;
    QListWidget* SaveGameList;
    QListWidget* WadCheckList; // hidden tool output lines
    QLineEdit* FileOutput;     // hidden last tool output
    QGroupBox* StartFrame;
    QGroupBox* SkillFrame;
    std::array<QComboBox*, 2> SkillsLevel{};
    QMenu* mPopup7 = nullptr; // saved games
    QAction* mcDelSaveGame = nullptr;

signals:
    // A map or a saved game was chosen: the library remembers it when the
    // player asked for that.
    void mapChosen(int row);
    void saveGameChosen(const std::string& slot);
    // A saved game was deleted: the selection is made again.
    void saveGameDeleted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildSkillBoxes(QWidget* page);
    void connectControls();
    void keepToolOutput(const std::string& output);
    void showMapTitles(const std::string& gameFile);
    void restoreLastSkill();
    void onSkillChosen(int index);
    void onMapClicked(int row);

    AppState& state_;
    Platform& platform_;
};

} // namespace krv
