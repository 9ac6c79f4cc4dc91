#pragma once
// MainForm: the launcher's only long-lived window. Its load reads the
// settings and brings every subsystem up in a fixed order; its unload stores
// the window position and writes the settings.

#include "launcher/platform/platform.h"
#include "launcher/startup/app_state.h"
#include "launcher/startup/entry_routine.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QToolButton;

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

    // Banner
    QLabel* TitlePic;
    std::array<QToolButton*, 4> Home{}; // 0 web site, 3 downloads
    QLabel* WineImage;

    // Tabs: the button strip and the five pages laid on top of each other.
    std::array<QPushButton*, 5> OptionTabs{};
    QStackedWidget* TabPages;
    std::array<QFrame*, 5> TabFrame{};

    // Games tab
    std::array<QRadioButton*, 3> OptionUdir{};
    std::array<QLabel*, 4> Auto{}; // list headers
    QToolButton* ImageCM;
    QCheckBox* ChkCM;
    QCheckBox* chkAutoSelect;
    QListWidget* PwadList;
    QListWidget* PwadShowlist;
    QListWidget* MapList;
    QListWidget* SaveGameList;
    QListWidget* StoredFiles;  // hidden search result buffer
    QListWidget* BuildList;    // hidden scratch list
    QListWidget* WadCheckList; // hidden tool output lines
    QLineEdit* FileOutput;     // hidden last tool output
    QGroupBox* StartFrame;
    QGroupBox* SkillFrame;
    std::array<QComboBox*, 2> SkillsLevel{};
    QPushButton* LaunchButton;

    // Options tab
    std::array<QCheckBox*, 8> chkMain{};
    std::array<QCheckBox*, 9> chkKRVOpts{};
    QCheckBox* ChkGL;
    QLineEdit* Timeout;
    QToolButton* butLeft2;
    QToolButton* butRight2;
    QLineEdit* Corpse;
    QToolButton* butleft;
    QToolButton* butRight;
    QCheckBox* chkTesting;

    // Graphics tab
    std::array<QGroupBox*, 6> GraphicFrames{}; // 1, 3, 4 and 5 are used
    std::array<QCheckBox*, 5> chkGraphics{};
    std::array<QRadioButton*, 2> SkyOpt{};
    std::array<QCheckBox*, 4> chkEffects{};
    QCheckBox* GunSmoke;
    std::array<QRadioButton*, 2> Smoke{};
    QComboBox* cbScaler;
    std::array<QLabel*, 2> TexLabel{}; // 0 scaling caption, 1 corpse fade caption
    QLabel* TexPathLabel;

    // Sound tab
    std::array<QCheckBox*, 11> chkSound{};
    QLineEdit* Ricotext;
    std::array<QToolButton*, 2> RicoButton{};
    QComboBox* cbChannels;
    QLabel* ChannelsLabel;
    std::array<QGroupBox*, 2> SoundFrame{}; // 1 music playlists
    QListWidget* SelectionList;
    std::array<QPushButton*, 3> butMusic{};

    // Models tab
    std::array<QGroupBox*, 2> FrameModel{}; // 0 model packs, 1 model effects
    std::array<QCheckBox*, 4> chkAltModels{};
    std::array<QCheckBox*, 4> ChkModelOpts{}; // 1 to 3 are used
    QGroupBox* ModelDelFrame;
    std::array<QPushButton*, 3> ButPurge{};

    // Below the tabs
    QGroupBox* ChkFrame;
    std::array<QCheckBox*, 6> chkLaunchPrefs{};
    std::array<QGroupBox*, 3> FrameGlobal{}; // 0 holder, 1 command line, 2 KRV edit
    QPushButton* SelButton;
    QLineEdit* edCustom;
    QLineEdit* LightText;
    QGroupBox* KRVFrame; // launch mode and screen mode
    std::array<QRadioButton*, 3> ExitOption{};
    QLabel* DevMode;
    std::array<QLabel*, 4> ResLabel{}; // 1 resolution, 2 mode, 3 refresh rate
    std::array<QToolButton*, 10> AuxButton{};

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    QWidget* buildBanner();
    QWidget* buildTabStrip();
    QWidget* buildGamesTab();
    QWidget* buildOptionsTab();
    QWidget* buildGraphicsTab();
    QWidget* buildSoundTab();
    QWidget* buildModelsTab();
    QWidget* buildLowerPanel();
    QWidget* buildAuxButtons();
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
