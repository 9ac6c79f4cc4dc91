#include "launcher/mainwindow/main_form.h"

#include "launcher/ui/qt_text.h"
#include "launcher/ui/twips.h"

#include "launcher/launch/screen_mode.h"
#include "launcher/library/game_operations.h"
#include "launcher/library/scripted_maps.h"
#include "launcher/music/music_controls.h"
#include "launcher/music/music_panel.h"
#include "launcher/options/option_controls.h"
#include "launcher/options/options_panel.h"
#include "launcher/startup/theme_pictures.h"
#include "launcher/ui/font_form.h"
#include "launcher/ui/qt_font.h"
#include "launcher/ui/shortcut_form.h"
#include "launcher/ui/tex_form.h"

#include "common/ci_path.h"
#include "common/strings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QToolButton>

namespace krv {

MainForm::MainForm(AppState& state, Platform& platform, EntryRoutine& entry)
    : QWidget(nullptr), state_(state), platform_(platform), entry_(entry),
      options_(state_, state_.paths, platform_, ids::SoundFrame[1]),
      music_(state_, state_.paths, state_.iwads, platform_) {
    setWindowTitle(qs(state_.startup.windowCaption));
    state_.controls.checkDeclared();
    buildControls();
    iwadForm_ = new IwadForm(state_, platform_, *this, this);
    connectControls();
    setAcceptDrops(true);
    // The window sees key presses before its controls, as a launcher's
    // Enter-to-launch needs wherever the focus is.
    qApp->installEventFilter(this);
}

MainForm::~MainForm() {
    qApp->removeEventFilter(this);
}

void MainForm::connectControls() {
    connect(AuxButton[6], &QToolButton::clicked, this, &MainForm::OpenFontForm);
    connect(AuxButton[8], &QToolButton::clicked, this, &MainForm::CleanupModelPacks);
    connect(optionPages_[3], &OptionsPanel::cleanupRequested, this, &MainForm::CleanupModelPacks);
    connect(AuxButton[9], &QToolButton::clicked, this, &MainForm::OpenTexForm);
    OptionsListener listener;
    listener.editModeChanged = [this](bool on) { showEditMode(on); };
    listener.textureRelocationChanged = [this](bool on) { AuxButton[9]->setEnabled(on); };
    listener.soundRulesApplied = [this] { music_.DisableMusic(); };
    listener.saveGamesPurged = [this] { inspect_->SaveGameList->clear(); };
    options_.setListener(std::move(listener));
    for (int i = 0; i < 5; ++i)
        connect(OptionTabs[i], &QPushButton::clicked, this, [this, i] { switchTab(i); });
    connect(AuxButton[5], &QToolButton::clicked, this, [this] { iwadForm_->ShowModal(); });
    connect(AuxButton[3], &QToolButton::clicked, this,
            [this] { launch_->openLogFile("edit.out"); });
    connect(AuxButton[4], &QToolButton::clicked, this,
            [this] { launch_->openLogFile("Korvath.out"); });
    state_.controls.onClicked(ids::chkMain[2],
                              [this](bool advanced) { applyLayoutMode(advanced); });
    connect(chkLaunchPrefs[2], &QCheckBox::toggled, this, [this](bool on) {
        if (advancedLayout_)
            AuxButton[2]->setVisible(on);
    });
    connect(Home[0], &QToolButton::clicked, this, [this] { openWebPage(kProductSite); });
    connect(Home[3], &QToolButton::clicked, this, [this] { openWebPage(kDownloadsPage); });
    connect(inspect_, &InspectPanel::mapChosen, library_, &LibraryPanel::recordMapChoice);
    connect(inspect_, &InspectPanel::saveGameChosen, library_, &LibraryPanel::recordSaveGameChoice);
    connect(inspect_, &InspectPanel::saveGameDeleted, library_, &LibraryPanel::SelectGame);
    connect(chkLaunchPrefs[3], &QCheckBox::clicked, this, [this](bool off) {
        state_.settings.disableTooltips = off;
        if (off)
            KillToolTips();
        else
            ToolTipText();
    });
    connect(chkLaunchPrefs[4], &QCheckBox::clicked, this,
            [this](bool on) { state_.settings.wadFilesOnly = on; });
    connect(AuxButton[1], &QToolButton::clicked, this, &MainForm::OpenDocumentation);
    connectPreview();
}

// Any change of a control or a list asks the launch panel for a new preview;
// the panel runs it once after the handlers of the change are through.
void MainForm::connectPreview() {
    // The slot is the panel's own, not a lambda on this window: list models
    // signal a reset while the window's children are torn down.
    const auto ask = &LaunchPanel::schedulePreview;
    connect(binder_, &ControlBinder::controlChanged, launch_, ask);
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        connect(button, &QAbstractButton::toggled, launch_, ask);
    for (QComboBox* box : findChildren<QComboBox*>())
        connect(box, &QComboBox::currentIndexChanged, launch_, ask);
    for (QLineEdit* line : findChildren<QLineEdit*>())
        if (line != launch_->PreviewLine)
            connect(line, &QLineEdit::textChanged, launch_, ask);
    for (QListWidget* list : findChildren<QListWidget*>()) {
        connect(list, &QListWidget::currentRowChanged, launch_, ask);
        connect(list, &QListWidget::itemClicked, launch_, ask);
        connect(list->model(), &QAbstractItemModel::rowsInserted, launch_, ask);
        connect(list->model(), &QAbstractItemModel::rowsRemoved, launch_, ask);
        connect(list->model(), &QAbstractItemModel::modelReset, launch_, ask);
    }
}

// ---- Load ------------------------------------------------------------------

const std::vector<MainForm::LoadStep>& MainForm::loadSteps() {
    static const std::vector<LoadStep> steps = {
        {"window size", &MainForm::sizeWindow},
        {"launcher font", &MainForm::CheckFont},
        {"library folders", &MainForm::createLibraryFolders},
        {"detail textures", &MainForm::noteDetailTextures},
        {"settings", &MainForm::readSettingsFile},
        {"model options", &MainForm::prepareModelOptions},
        {"window controls", &MainForm::prepareWindowControls},
        {"iwad detection", &MainForm::detectIwads},
        {"library clean-up", &MainForm::cleanUpLibrary},
        {"window position", &MainForm::placeWindow},
        {"controls from settings", &MainForm::restoreControls},
        {"playlists", &MainForm::loadPlaylists},
        {"games list", &MainForm::restoreGamesList},
        {"settings reset report", &MainForm::reportSettingsReset},
        {"setting captions", &MainForm::setSettingCaptions},
        {"model packs", &MainForm::detectModelPacks},
    };
    return steps;
}

void MainForm::load() {
    for (const LoadStep& step : loadSteps()) {
        if (loadStepWatcher_)
            loadStepWatcher_(step.name);
        (this->*step.run)();
    }
    // The font and what the steps showed and hid decide what the window's
    // controls need.
    setWindowHeightTwips(heightTwips_);
    // Centred at the size it ends with, not the size it started from.
    if (centredAtLoad_) {
        const auto [top, left] = centredPositionTwips();
        move(toPixels(left), toPixels(top));
    }
}

void MainForm::sizeWindow() {
    largeFonts_ = CheckDPISettings();
    // The size in twips; the end of the load grows it where the controls
    // need more.
    heightTwips_ = kLoadHeightTwips;
    setMinimumSize(twipsSize());
    resize(twipsSize());
}

bool MainForm::CheckDPISettings() {
    // The window's size in twips grows with the density and its controls sit
    // in layouts that follow the font metrics, so large fonts need no frame
    // moved by hand; the answer tells the parts that size pictures.
    // Qt scales a 120-dpi desktop by 1.25 and reports 96 logical dots.
    return qRound(logicalDpiX() * devicePixelRatioF()) == 120;
}

void MainForm::OpenTexForm() {
    TexForm dialog(state_, platform_, state_.texFormFolderText, this);
    connect(&dialog, &TexForm::texturesUnavailable, this,
            [this] { options_.texturesUnavailable(); });
    dialog.exec();
}

void MainForm::CleanupModelPacks() {
    ShortcutForm dialog(ShortcutForm::Mode::Cleanup, {}, !state_.settings.disableTooltips, this);
    applyLauncherFont(&dialog, state_.font);
    dialog.exec();
    if (dialog.cancelled() || !dialog.chkModDel->isChecked())
        return;
    options_.CleanupModelPacksConfirmed();
}

void MainForm::CheckFont() {
    applyLauncherFont(this, state_.font);
}

void MainForm::OpenFontForm() {
    FontForm chooser(state_, this);
    connect(&chooser, &FontForm::restartWanted, this, &QWidget::close);
    chooser.exec();
}

void MainForm::createLibraryFolders() {
    if (!ci::isFolder(state_.paths.root + "/KRVGames"))
        ci::createFolder(state_.paths.root + "/KRVGames");
    if (!ci::isFolder(state_.paths.launcherFolder + "GameInfo"))
        ci::createFolder(state_.paths.launcherFolder + "GameInfo");
}

void MainForm::noteDetailTextures() {
    state_.content.detailTexturesAvailable =
        ci::isFile(state_.paths.root + "/data/dtex/detail.wad");
}

std::pair<int, int> MainForm::centredPositionTwips() const {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return {toTwips(centredOffset(screen.height(), height())),
            toTwips(centredOffset(screen.width(), width()))};
}

void MainForm::readSettingsFile() {
    const auto [top, left] = centredPositionTwips();
    const SettingsReadResult read =
        readSettings(state_.paths, state_.startup.wineMode, top, left, state_.settings);
    if (read.typeMismatch) {
        move(toPixels(left), toPixels(top));
        entry_.resetSettingsAndRestart();
    }
    corpseFadeUnavailable_ = read.corpseFadeUnavailable;
    positionStored_ = read.linesRead >= kSettingsLines;
}

void MainForm::prepareWindowControls() {
    GetTitlePic();
    if (state_.settings.disableTooltips)
        KillToolTips();
    else
        ToolTipText();
    TabPages->setCurrentIndex(0);
    OptionTabs[0]->setChecked(true);
    const int view = state_.settings.gamesListView;
    if (view >= 0 && view < 3)
        library_->OptionUdir[view]->setChecked(true);
    launch_->SelectStartupOptions();
    launch_->GetCurrentRes();
}

void MainForm::detectIwads() {
    iwadForm_->DetectIwads();
}

void MainForm::cleanUpLibrary() {
    // The zip work folder only ever holds the files of the archive selected
    // in this run; what an earlier run left there is stale. The node caches
    // of the listed wads go while the game files are listed.
    removeFolderFiles(state_.paths.launcherFolder + "Zips");
}

void MainForm::placeWindow() {
    const auto [centredTop, centredLeft] = centredPositionTwips();
    int top = state_.settings.windowTop;
    int left = state_.settings.windowLeft;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    centredAtLoad_ = state_.startup.wineMode || !positionStored_ ||
                     top > toTwips(screen.height()) || left > toTwips(screen.width());
    if (centredAtLoad_) {
        top = centredTop;
        left = centredLeft;
    }
    move(toPixels(left), toPixels(top));
    WineImage->setVisible(state_.startup.wineMode);
}

void MainForm::restoreControls() {
    settingsToControls();
    applyLayoutMode(state_.settings.advancedOptions);
    library_->noteListedFileFilter(state_.settings.wadFilesOnly);
    options_.applyOptionRules();
    music_.showManualCaption();
    switchTab(0);
}

void MainForm::prepareModelOptions() {
    options_.prepareModelOptions();
}

void MainForm::setSettingCaptions() {
    options_.setSettingCaptions();
}

// "Edit  mode" brings the texture-offset log button; the zip folder button
// shares its place in the zip view.
void MainForm::showEditMode(bool on) {
    AuxButton[3]->setVisible(advancedLayout_ && on);
    AuxButton[7]->setVisible(advancedLayout_ && !on &&
                             state_.settings.gamesListView == LibraryPanel::ZipLibrary);
    launch_->LightText->setEnabled(on);
    WineImage->setVisible(!on && state_.startup.wineMode);
}

// The tab strip: the chosen tab in dark red; the option tabs take the
// Launch and shortcut buttons away, the Games tab gives them back when the
// selection can be launched.
void MainForm::switchTab(int tab) {
    TabPages->setCurrentIndex(tab);
    for (int i = 0; i < 5; ++i) {
        QPalette palette = OptionTabs[i]->palette();
        palette.setColor(QPalette::ButtonText,
                         i == tab ? QColor(192, 0, 0)
                                  : binder_->widget(ids::chkMain[0])
                                        ->palette()
                                        .color(QPalette::Active, QPalette::WindowText));
        OptionTabs[i]->setPalette(palette);
        OptionTabs[i]->setChecked(i == tab);
    }
    AuxButton[8]->setVisible(tab == 4); // the model pack cleanup
    if (tab == 0) {
        library_->showGamesTab();
        return;
    }
    launch_->LaunchButton->setEnabled(false);
    AuxButton[2]->setEnabled(false);
    if (tab == 2)
        options_.runGraphicsCheck();
    if (tab == 3)
        options_.runSoundPackCheck();
    if (tab == 4)
        options_.RefreshModelPacks();
}

void MainForm::loadPlaylists() {
    music_.loadPlaylists();
}

void MainForm::restoreGamesList() {
    const Settings& s = state_.settings;
    state_.gameSelection.lastInstalledGame =
        s.scriptedMapsMode ? s.rememberedScriptedEntry : s.rememberedNormalEntry;
    library_->ShowView(s.gamesListView);
    options_.noteSkyboxes();
}

void MainForm::reportSettingsReset() {
    if (!state_.startup.settingsReset)
        return;
    state_.startup.settingsReset = false;
    std::string text;
    if (state_.startup.settingsCorrupt) {
        state_.startup.settingsCorrupt = false;
        text = "Corrupt config file detected required the launcher configurations to     \r\n"
               " be reset to the default settings, please reconfigure your settings. ";
    } else {
        text = "The latest version upgrade required the launcher configurations to     \r\n"
               " be reset to the default settings, please reconfigure your settings. ";
    }
    platform_.showMessage(text, msg::kSystemModal,
                          " Version update " + state_.startup.launcherVersion);
}

void MainForm::detectModelPacks() {
    // The model options follow the packs found; the scripted-map picture
    // the models of the maker's maps.
    options_.RefreshModelPacks();
    library_->showScriptedFilterButton();
}

// ---- Unload ----------------------------------------------------------------

void MainForm::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

void MainForm::unload() {
    if (state_.startup.closing || unloaded_)
        return;
    unloaded_ = true;
    if (!state_.startup.wineMode && !isMinimized() && !isMaximized()) {
        state_.settings.windowTop = toTwips(pos().y());
        state_.settings.windowLeft = toTwips(pos().x());
    }
    ci::removeFile(state_.paths.dataFolder + "pwad.krv");
    controlsToSettings();
    if (!state_.startup.settingsReset) {
        if (writeSettings(state_.paths, state_.startup.wineMode, state_.settings) != IoStatus::Ok)
            platform_.showMessage("The launcher settings could not be saved to config.krv.   ",
                                  msg::kCritical, " Configuration error");
    }
    if (state_.startup.restartRequested)
        platform_.startProcess('"' + state_.paths.launcherExe() + "\" /RESTART", state_.paths.root);
}

// ---- Events ----------------------------------------------------------------

// Controls shown or hidden change what the layout needs.
bool MainForm::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::LayoutRequest)
        fitWindowToLayout();
    return handled;
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (!launch_->LaunchButton->isEnabled())
                return false;
            launch_->LaunchButton->click();
            return true;
        }
    }
    if (event->type() == QEvent::Resize && watched == TitlePic)
        fitTitlePicture();
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == TitlePic) {
            TitlePicDblClick();
            return true;
        }
        if (watched == launch_->DevMode) {
            DevModeDblClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        onActivated();
    if (event->type() == QEvent::WindowStateChange)
        onWindowStateChanged();
    QWidget::changeEvent(event);
}

void MainForm::onActivated() {
    library_->onWindowActivated();
    music_.dropAutoWithoutPlaylists();
}

void MainForm::onWindowStateChanged() {
    const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    if (normal && state_.launch.launchInProgress)
        Reset();
}

void MainForm::openWebPage(const char* address) {
    platform_.openDocument(address);
}

// ---- Window-wide switches --------------------------------------------------

void MainForm::DevModeDblClick() {
    Controls& c = state_.controls;
    const bool show = c.isHidden(ids::chkTesting);
    c.setVisible(ids::chkTesting, show);
    launch_->ExitOption[0]->setVisible(show);
    if (!show)
        c.setChecked(ids::chkTesting, false);
}

void MainForm::GetTitlePic() {
    const auto choice =
        chooseTitlePicture(state_.paths.launcherFolder + "Themes", state_.settings.titlePicture);
    if (!choice)
        return;
    state_.settings.titlePicture = choice->number;
    showTitlePicture(choice->path);
}

// Loads a theme picture. A huge picture is scaled down while it is decoded,
// so that it costs no more memory than the banner needs; a picture that
// cannot be read leaves the caption text in its place.
void MainForm::showTitlePicture(const std::string& path) {
    QImageReader reader(qs(path));
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    const QSize most(2 * toPixels(kLoadWidthTwips), 2 * TitlePic->height());
    if (size.isValid() && (size.width() > most.width() || size.height() > most.height()))
        reader.setScaledSize(size.scaled(most, Qt::KeepAspectRatio));
    titleImage_ = reader.read();
    fitTitlePicture();
}

// Shows the theme picture as large as the banner holds it.
void MainForm::fitTitlePicture() {
    const QSize room = TitlePic->contentsRect().size();
    if (titleImage_.isNull() || room.isEmpty()) {
        TitlePic->setPixmap({});
        TitlePic->setText(qs(state_.startup.windowCaption));
        return;
    }
    TitlePic->setPixmap(QPixmap::fromImage(
        titleImage_.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void MainForm::TitlePicDblClick() {
    ++state_.settings.titlePicture;
    GetTitlePic();
}

void MainForm::AdvancedMode() {
    applyLayoutMode(true);
}

void MainForm::DefaultMode() {
    applyLayoutMode(false);
}

void MainForm::applyLayoutMode(bool advanced) {
    advancedLayout_ = advanced;
    inspect_->StartFrame->setVisible(!advanced);
    inspect_->SkillFrame->setVisible(!advanced);
    // The skill frame is hidden in the advanced layout; its box goes with
    // the command-line panel, shown under every tab.
    if (advanced)
        launch_->placeSkillBox(inspect_->SkillsLevel[1]);
    else
        inspect_->restoreSkillBox();
    for (QPushButton* tab : OptionTabs)
        tab->setVisible(advanced);
    OptionTabs[0]->setEnabled(advanced);
    if (!advanced) {
        OptionTabs[0]->setChecked(true);
        TabPages->setCurrentIndex(0);
    }
    state_.controls.setVisible(ids::ChkModelOpts[2], advanced);
    state_.controls.setVisible(ids::ChkModelOpts[3], advanced);
    state_.controls.setVisible(ids::chkMain[6], advanced);
    launch_->FrameGlobal[0]->setVisible(advanced);
    library_->applyLayoutMode(advanced);
    for (int i : {4, 5, 6})
        AuxButton[i]->setVisible(advanced);
    AuxButton[2]->setVisible(advanced && chkLaunchPrefs[2]->isChecked());
    // The texture-offset log belongs to the engine's edit mode; the zip
    // folder button to the zip view, where it shares the log's place.
    AuxButton[3]->setVisible(advanced && state_.controls.isChecked(ids::chkMain[5]));
    AuxButton[7]->setVisible(advanced && !AuxButton[3]->isVisible() &&
                             state_.settings.gamesListView == LibraryPanel::ZipLibrary);
    placeCheckFrame(!advanced);
    setWindowHeightTwips(advanced ? kLoadHeightTwips : kDefaultHeightTwips);
}

int MainForm::toPixels(int twips) const {
    return twipsToPixels(twips, logicalDpiY());
}

int MainForm::toTwips(int pixels) const {
    return pixelsToTwips(pixels, logicalDpiY());
}

// The layout mode sets the window's size: its size in twips, or what the
// controls need where that is more.
void MainForm::setWindowHeightTwips(int twips) {
    heightTwips_ = twips;
    refreshLayouts();
    const QSize least = leastWindowSize();
    setMinimumSize(least);
    resize(least);
}

// Qt brings the layouts' cached sizes up to date with the controls shown
// and hidden only when their events come round, innermost last; the layout
// switch sizes the window at once, so it refreshes them innermost first.
void MainForm::refreshLayouts() {
    ensurePolished();
    const QList<QWidget*> controls = findChildren<QWidget*>();
    for (auto control = controls.rbegin(); control != controls.rend(); ++control) {
        if (QLayout* inner = (*control)->layout()) {
            inner->invalidate();
            inner->activate();
        }
        (*control)->updateGeometry();
    }
    layout()->invalidate();
    layout()->activate();
}

// The window's size in twips is the least it takes; a font whose captions
// need more room makes it as large as its layout needs.
QSize MainForm::leastWindowSize() const {
    return twipsSize().expandedTo(layout()->totalMinimumSize());
}

QSize MainForm::twipsSize() const {
    return {toPixels(kLoadWidthTwips), toPixels(heightTwips_)};
}

// A window smaller than the least would squeeze the controls below their
// captions: setting the least grows it, a larger window keeps its size.
void MainForm::fitWindowToLayout() {
    const QSize least = leastWindowSize();
    if (least != minimumSize())
        setMinimumSize(least);
}

// Across the window the preferences take three columns; beside the launch
// mode frame, two.
void MainForm::placeCheckFrame(bool atGlobalFrame) {
    lowerGrid_->removeWidget(ChkFrame);
    if (atGlobalFrame)
        lowerGrid_->addWidget(ChkFrame, 1, 0);
    else
        lowerGrid_->addWidget(ChkFrame, 0, 0, 1, 2);
    const int columns = atGlobalFrame ? 2 : 3;
    const int rows = 6 / columns;
    for (int i = 0; i < 6; ++i) {
        prefsGrid_->removeWidget(chkLaunchPrefs[i]);
        prefsGrid_->addWidget(chkLaunchPrefs[i], i % rows, i / rows);
    }
}

void MainForm::shutdown() {
    entry_.shutdown();
}

} // namespace krv
