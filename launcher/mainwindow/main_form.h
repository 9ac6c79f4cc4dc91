#pragma once
// MainForm: the launcher's only long-lived window. Its load reads the
// settings and brings every subsystem up in a fixed order; its unload stores
// the window position and writes the settings.

#include "launcher/platform/platform.h"
#include "launcher/startup/app_state.h"
#include "launcher/startup/entry_routine.h"

#include <QWidget>
#include <array>

class QGroupBox;
class QRadioButton;
class QLabel;

namespace krv {

class MainForm : public QWidget {
    Q_OBJECT
public:
    // Window size at load, in twips.
    static constexpr int kLoadHeightTwips = 7710;
    static constexpr int kLoadWidthTwips = 9696;

    MainForm(AppState& state, Platform& platform, EntryRoutine& entry);

    // Runs once, when the entry routine loads the window.
    void load();

    // The unload of a normal close: stores the position, takes the controls
    // into the settings, writes them and ends (restarting when asked).
    void unload();

    // Top and left of the window centred on the screen, in twips.
    std::pair<int, int> centredPositionTwips() const;

    QLabel* TitlePic;
    QGroupBox* LaunchModeFrame;
    std::array<QRadioButton*, 3> ExitOption{};

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void createLibraryFolders();
    void readSettingsFile();
    void placeWindow();
    void settingsToControls();
    void controlsToSettings();
    void reportSettingsReset();
    void onExitOption(int index);

    AppState& state_;
    Platform& platform_;
    EntryRoutine& entry_;
    bool unloaded_ = false;
};

} // namespace krv
