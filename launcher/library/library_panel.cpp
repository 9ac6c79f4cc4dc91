// The games list of the Games tab: its three views, the selection of a game
// and of a game file, the task menus and the scripted-map filter. The
// library's records and the game files' choice are read through the
// adapters of library_panel_records.cpp.

#include "launcher/library/library_panel.h"

#include "launcher/inspect/game_files.h"
#include "launcher/library/game_info.h"
#include "launcher/library/game_operations.h"
#include "launcher/library/games_list_rules.h"
#include "launcher/library/library_layout.h"
#include "launcher/library/scripted_maps.h"
#include "launcher/library/unzip_module.h"
#include "launcher/library/zip_library.h"
#include "launcher/ui/panel_controls.h"
#include "launcher/ui/qt_text.h"
#include "launcher/ui/twips.h"

#include "common/ci_path.h"
#include "common/strings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

#include <utility>

namespace krv {

namespace {

constexpr const char* kScriptedHeader = "KORVATH SCRIPTED MAP";
constexpr const char* kInstalledHeader = "INSTALLED GAMES LIST";

bool endsWithWad(const std::string& name) {
    return iendsWith(name, ".wad");
}

// Hides the entries that do not contain `text`, ignoring case.
void hideFilteredGames(QListWidget* list, const QString& text) {
    const QString wanted = text.trimmed();
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        item->setHidden(!wanted.isEmpty() && !item->text().contains(wanted, Qt::CaseInsensitive));
    }
}

int firstShownRow(const QListWidget* list) {
    for (int i = 0; i < list->count(); ++i)
        if (!list->item(i)->isHidden())
            return i;
    return -1;
}

} // namespace

LibraryPanel::LibraryPanel(AppState& state, Platform& platform, LibraryHost& host, QWidget* window)
    : QObject(window), state_(state), platform_(platform), host_(host), window_(window) {
    buildControls();
    buildMenus();
    connectControls();
}

void LibraryPanel::buildControls() {
    GamesTab = new QFrame(window_);
    const char* viewCaptions[] = {"Installed games", "Doom games", "Zip Library"};
    for (int i = 0; i < 3; ++i)
        OptionUdir[i] = new QRadioButton(QString::fromLatin1(viewCaptions[i]), GamesTab);
    ImageCM = new QToolButton(GamesTab);
    ImageCM->setText(QStringLiteral("Scripted maps"));
    ImageCM->setCheckable(true);
    ChkCM = new QCheckBox(GamesTab);
    ChkCM->hide();
    chkAutoSelect = new QCheckBox(GamesTab);
    chkAutoSelect->hide();
    Auto[0] = header("INSTALLED GAMES LIST", GamesTab);
    Auto[1] = header("GAME FILES", GamesTab);
    Auto[2] = header("MAPS", GamesTab);
    Auto[3] = header("SAVEGAMES", GamesTab);
    PwadList = list(GamesTab);
    PwadShowlist = list(GamesTab);
    // Scratch space of the install; never shown.
    BuildList = new QListWidget(window_);
    BuildList->hide();
}

void LibraryPanel::buildMenus() {
    mPopup5 = new QMenu(window_);
    mcDeleteFolder = mPopup5->addAction(QStringLiteral("Uninstall game from list"));
    mcRenameFolder = mPopup5->addAction(QStringLiteral("Rename game in list"));
    Sep3 = mPopup5->addSeparator();
    mcUdirConvert = mPopup5->addAction(QStringLiteral("Convert Udir to Pwads"));
    mcGwadConvert = mPopup5->addAction(QStringLiteral("Convert  Udir to Gwads"));
    mPopup6 = new QMenu(window_);
    mcUdirUnZip = mPopup6->addAction(QStringLiteral("Install to Games List"));
    sep1 = mPopup6->addSeparator();
    mcRenameArchive = mPopup6->addAction(QStringLiteral("Rename zip file"));
    mcDeleteArchive = mPopup6->addAction(QStringLiteral("Delete zip file"));
    mcGwadUnZip = mPopup6->addAction(QStringLiteral("Install  to Games List as Gwad"));
    mPopup3 = new QMenu(window_);
    mcDeleteFile = mPopup3->addAction(QStringLiteral("Delete file"));
}

void LibraryPanel::attach(const LibraryNeighbours& neighbours) {
    n_ = neighbours;
    // Made after the neighbours' lists, so that the Tab key keeps its order.
    GamesFilter = new QLineEdit(GamesTab);
    GamesFilter->setPlaceholderText(QStringLiteral("Filter"));
    GamesFilter->setAccessibleName(QStringLiteral("Filter games"));
    GamesFilter->setClearButtonEnabled(true);
    layOutGamesTab();
    connectNeighbours();
}

void LibraryPanel::layOutGamesTab() {
    auto* grid = new QGridLayout(GamesTab);
    gamesGrid_ = grid;
    grid->setContentsMargins(2, 2, 2, 2);
    auto* views = new QHBoxLayout;
    for (QRadioButton* view : OptionUdir)
        views->addWidget(view);
    views->addStretch();
    views->addWidget(ImageCM);
    // "Advanced options" switches the layouts, so it stays reachable in
    // both: beside the view buttons.
    n_.advancedBox->setParent(GamesTab);
    views->addWidget(n_.advancedBox);
    grid->addLayout(views, 0, 0, 1, 3);

    auto* listHead = new QHBoxLayout;
    listHead->addWidget(Auto[0]);
    listHead->addWidget(GamesFilter, 1);
    grid->addLayout(listHead, 1, 0);
    grid->addWidget(PwadList, 2, 0, 3, 1);
    grid->addWidget(Auto[1], 1, 1);
    grid->addWidget(PwadShowlist, 2, 1);
    grid->addWidget(Auto[3], 3, 1);
    grid->addWidget(n_.saveGameList, 4, 1);
    grid->addWidget(Auto[2], 1, 2);
    grid->addWidget(n_.mapList, 2, 2, 3, 1);
    grid->setColumnStretch(0, 5);
    grid->setColumnStretch(1, 4);
    grid->setColumnStretch(2, 2);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(n_.startFrame, 1);
    bottom->addWidget(n_.skillFrame, 1);
    bottom->addStretch();
    bottom->addWidget(n_.launchButton);
    grid->addLayout(bottom, 5, 0, 1, 3);
}

void LibraryPanel::connectControls() {
    for (int i = 0; i < 3; ++i)
        connect(OptionUdir[i], &QRadioButton::clicked, this, [this, i] { ShowView(i); });
    connect(PwadList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            SelectGame();
    });
    connect(PwadShowlist, &QListWidget::itemSelectionChanged, this, [this] {
        if (!fillingGameFiles_)
            SelectFile();
    });
    // A click on the file already selected changes no selection, yet runs
    // the file's selection again, as any click on the list does.
    connect(PwadShowlist, &QListWidget::itemClicked, this, [this] {
        if (std::exchange(selectedFileClicked_, false))
            SelectFile();
    });
    connect(PwadShowlist, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { openGameFile(item->text().toStdString()); });
    connect(ImageCM, &QToolButton::clicked, this, &LibraryPanel::ToggleScriptedFilter);
    connect(mcDeleteFolder, &QAction::triggered, this, &LibraryPanel::UninstallGame);
    connect(mcRenameFolder, &QAction::triggered, this, &LibraryPanel::RenameGame);
    connect(mcGwadConvert, &QAction::triggered, this, &LibraryPanel::ConvertToAuto);
    connect(mcUdirConvert, &QAction::triggered, this, &LibraryPanel::ConvertToManual);
    connect(mcDeleteFile, &QAction::triggered, this, &LibraryPanel::DeleteGameFile);
    connect(mcUdirUnZip, &QAction::triggered, this, &LibraryPanel::InstallZipAsManual);
    connect(mcGwadUnZip, &QAction::triggered, this, &LibraryPanel::InstallZipAsAuto);
    connect(mcRenameArchive, &QAction::triggered, this, &LibraryPanel::RenameArchive);
    connect(mcDeleteArchive, &QAction::triggered, this, &LibraryPanel::DeleteArchive);
    // Only this panel watches these; the window's own filter leaves them
    // alone, so that every press and release is handled once.
    PwadList->viewport()->installEventFilter(this);
    PwadShowlist->viewport()->installEventFilter(this);
    Auto[0]->installEventFilter(this);
}

void LibraryPanel::connectNeighbours() {
    connect(GamesFilter, &QLineEdit::textChanged, this, &LibraryPanel::filterGamesList);
    GamesFilter->installEventFilter(this);
    connect(n_.installButton, &QToolButton::clicked, this, &LibraryPanel::InstallLevel);
    connect(n_.zipFolderButton, &QToolButton::clicked, this, &LibraryPanel::SetZipLibraryFolder);
    connect(n_.shortcutButton, &QToolButton::clicked, this, &LibraryPanel::CreateShortcut);
    connect(n_.rememberMap, &QCheckBox::clicked, this, [this](bool on) {
        state_.settings.rememberLastMap = on;
        if (!on)
            GameInfoStore(state_.paths).clearMapRecords();
    });
    connect(n_.rememberSaveGame, &QCheckBox::clicked, this, [this](bool on) {
        state_.settings.rememberLastSavegame = on;
        if (!on)
            GameInfoStore(state_.paths).clearSaveRecords();
    });
}

// ---- Views --------------------------------------------------------------------

void LibraryPanel::ShowView(int view) {
    if (view < InstalledGames || view > ZipLibrary)
        view = DoomGames;
    const bool wasScripted = Auto[0]->text() == QLatin1String(kScriptedHeader);
    state_.gameSelection.clearMarks();
    n_.saveGameList->clear();
    if (wasScripted)
        host_.restoreSpriteOptions();
    for (int i = 0; i < 3; ++i) {
        QPalette palette = OptionUdir[i]->palette();
        palette.setColor(QPalette::WindowText,
                         i == view ? QColor(192, 0, 0)
                                   : QApplication::palette().color(QPalette::WindowText));
        OptionUdir[i]->setPalette(palette);
    }
    PwadShowlist->clear();
    n_.mapList->clear();
    state_.mainWad.clear();
    PwadList->setToolTip(state_.settings.disableTooltips
                             ? QString()
                             : QStringLiteral(" Right click on selected game for tasks menu. "));
    state_.settings.gamesListView = view;
    if (!OptionUdir[view]->isChecked())
        OptionUdir[view]->setChecked(true);

    const QSignalBlocker quiet(PwadList); // the selection below runs SelectGame once
    std::string wanted;
    if (view == InstalledGames) {
        n_.zipFolderButton->hide();
        ImageCM->setVisible(state_.content.scriptedMapModels && advancedLayout_);
        FillInstalledGames();
        n_.launchButton->setEnabled(true);
        Auto[0]->setText(QLatin1String(kInstalledHeader));
        wanted = state_.gameSelection.lastInstalledGame;
    } else if (view == DoomGames) {
        ImageCM->hide();
        n_.zipFolderButton->hide();
        if (!state_.settings.disableTooltips)
            PwadList->setToolTip({});
        n_.launchButton->setEnabled(true);
        n_.shortcutButton->setEnabled(true);
        Auto[0]->setText(QStringLiteral("COMMERCIAL DOOM LIST"));
        PwadList->clear(); // the view before may have listed other games
        for (const std::string& title : doomGamesTitles(state_.iwads, state_.font.isSet()))
            PwadList->addItem(qs(title));
        wanted = state_.settings.lastCommercialTitle;
    } else {
        ImageCM->hide();
        n_.zipFolderButton->setVisible(!n_.editLogButton->isVisible() && advancedLayout_);
        PwadList->setToolTip(
            state_.settings.disableTooltips
                ? QString()
                : QStringLiteral(" Right click on selected zip file for tasks menu. "));
        n_.launchButton->setEnabled(true);
        n_.shortcutButton->setEnabled(false);
        const bool custom = ci::isFile(state_.paths.dataFolder + "archives.krv") &&
                            ci::isFolder(state_.paths.archivesFolder);
        Auto[0]->setText(custom ? QStringLiteral("CUSTOM ZIP LIBRARY")
                                : QStringLiteral("ZIP LIBRARY"));
        FillZipLibrary(state_.paths.archivesFolder);
        wanted = state_.settings.lastArchive;
    }
    hideFilteredGames(PwadList, GamesFilter->text());
    int row = -1;
    for (int i = 0; i < PwadList->count() && row < 0; ++i)
        if (!PwadList->item(i)->isHidden() &&
            iequals(PwadList->item(i)->text().toStdString(), wanted))
            row = i;
    if (row < 0)
        row = firstShownRow(PwadList);
    PwadList->setCurrentRow(row);
    if (row >= 0)
        SelectGame();
    else
        state_.gameSelection.selectionMade = false;
    if (PwadShowlist->count() == 0) {
        n_.launchButton->setEnabled(false);
        n_.shortcutButton->setEnabled(false);
    }
}

void LibraryPanel::filterGamesList() {
    hideFilteredGames(PwadList, GamesFilter->text());
    const QListWidgetItem* current = PwadList->currentItem();
    if (current && !current->isHidden())
        return;
    const int row = firstShownRow(PwadList);
    {
        const QSignalBlocker quiet(PwadList); // the selection below runs SelectGame once
        PwadList->setCurrentRow(row);
    }
    if (row >= 0) {
        SelectGame();
        return;
    }
    // Nothing matches: nothing is selected, so nothing can be launched.
    state_.gameSelection.selectionMade = false;
    PwadShowlist->clear();
    n_.mapList->clear();
    n_.saveGameList->clear();
    n_.launchButton->setEnabled(false);
}

void LibraryPanel::FillInstalledGames() {
    PwadList->clear();
    const bool filtered = state_.settings.scriptedMapsMode;
    for (const std::string& name :
         installedGames(state_.paths, {state_.settings.scriptedMapsMode, true})) {
        if (filtered && !isScriptedMapName(name))
            continue;
        PwadList->addItem(qs(state_.font.isSet() ? name : toUpper(name)));
    }
}

void LibraryPanel::FillZipLibrary(const std::string& folder) {
    if (!ci::isFolder(folder))
        ci::createFolder(folder);
    PwadList->clear();
    for (const std::string& name : zipArchiveNames(folder))
        PwadList->addItem(qs(zipLibraryEntry(name, state_.font.isSet())));
}

bool LibraryPanel::showsDoomGamesView() const {
    return state_.settings.gamesListView == DoomGames;
}

void LibraryPanel::refillDoomGamesView() {
    if (showsDoomGamesView())
        ShowView(DoomGames);
}

void LibraryPanel::clearDoomGamesView() {
    PwadList->clear();
    PwadShowlist->clear();
    n_.mapList->clear();
}

void LibraryPanel::selectFirstDoomGame() {
    if (showsDoomGamesView() && PwadList->count() > 0 && PwadList->currentRow() < 0)
        PwadList->setCurrentRow(0);
}

void LibraryPanel::onWindowActivated() {
    if (state_.settings.lastCommercialTitle.empty() && PwadList->count() > 0 &&
        PwadList->currentRow() < 0)
        PwadList->setCurrentRow(0);
}

// The two fixed arrangements of the lower lists: shrunk gives the maps and
// saved games the room, expanded the game files of a multi-file game.
void LibraryPanel::ShrinkGameList() {
    gamesGrid_->setRowStretch(2, 1);
    gamesGrid_->setRowStretch(4, 1);
}

void LibraryPanel::ExpandGameList() {
    gamesGrid_->setRowStretch(2, 3);
    gamesGrid_->setRowStretch(4, 1);
}

// ---- The window's switches ------------------------------------------------------

// The zip library belongs to the advanced layout; leaving it shows the Doom
// games.
void LibraryPanel::applyLayoutMode(bool advanced) {
    advancedLayout_ = advanced;
    OptionUdir[ZipLibrary]->setVisible(advanced);
    if (!advanced && state_.settings.gamesListView == ZipLibrary) {
        OptionUdir[DoomGames]->setChecked(true);
        ShowView(DoomGames);
    }
    showScriptedFilterButton();
}

// The scripted-map picture shows where the models of the maker's maps are
// installed.
void LibraryPanel::showScriptedFilterButton() {
    ImageCM->setVisible(advancedLayout_ && state_.content.scriptedMapModels &&
                        state_.settings.gamesListView == InstalledGames);
}

void LibraryPanel::showGamesTab() {
    if (n_.wadFilesOnly->isChecked() != wadFilesOnlyListed_) {
        wadFilesOnlyListed_ = n_.wadFilesOnly->isChecked();
        SelectGame();
    }
    const bool launchable = PwadShowlist->count() > 0 && n_.mapList->count() > 0;
    n_.launchButton->setEnabled(launchable);
    n_.shortcutButton->setEnabled(launchable && n_.shortcutCreation->isChecked() &&
                                  state_.settings.gamesListView != ZipLibrary);
}

// ---- Selection ----------------------------------------------------------------

void LibraryPanel::SelectGame() {
    fillingGameFiles_ = true;
    PwadShowlist->clear();
    fillingGameFiles_ = false;
    n_.mapList->clear();
    n_.saveGameList->clearSelection();
    state_.launchSelection.loadSlot.clear();
    if (state_.launchSelection.startKind == StartKind::LoadGame)
        state_.launchSelection.startKind = StartKind::Normal;
    state_.gameSelection.clearMarks();
    QListWidgetItem* item = PwadList->currentItem();
    if (!item)
        return;
    const std::string entry = item->text().toStdString();
    state_.settings.lastGamesListEntry = entry;
    switch (state_.settings.gamesListView) {
    case DoomGames:
        selectDoomGame(entry);
        break;
    case ZipLibrary:
        selectZip(entry);
        break;
    default:
        selectInstalledGame(entry);
        break;
    }
    restoreStartKind();
}

// After a selection the start kind follows the skill selector again, unless
// a saved game was restored.
void LibraryPanel::restoreStartKind() {
    LaunchSelection& selection = state_.launchSelection;
    if (selection.startKind == StartKind::LoadGame)
        return;
    if (n_.skillBox->currentIndex() == 0) {
        selection.startKind = StartKind::Normal;
        n_.mapList->clearSelection();
    } else if (n_.mapList->currentRow() >= 0) {
        selection.startKind = StartKind::Warp;
    }
}

void LibraryPanel::selectDoomGame(const std::string& title) {
    ShrinkGameList();
    state_.settings.lastCommercialTitle = title;
    state_.gameSelection.commercial = true;
    const auto kind = iwadKindOfTitle(title);
    if (!kind || !state_.iwads.isRegistered(*kind))
        return;
    const std::string iwad = state_.iwads.path(*kind);
    state_.gameSelection.currentGameFolder = folderOfPath(iwad) + ci::kSep;
    showSaveGames(commercialSaveName(title));
    addGameFiles({std::string(fileNameOfPath(iwad))});
    state_.mainWad = iwad;
    // The file's selection lists the IWAD's maps before it brings back a
    // remembered saved game (found by its slot, as for any game), so that
    // Launch finds the levels it checks for and can load the saved game.
    selectFileEntry(0, true);
    if (!state_.gameSelection.savedGameRestored)
        host_.greyHiresFrame();
}

void LibraryPanel::selectZip(const std::string& entry) {
    ExpandGameList();
    const std::string zips = state_.paths.launcherFolder + "Zips";
    if (!ci::isFolder(zips))
        ci::createFolder(zips);
    if (!iequals(entry, state_.settings.lastArchive))
        removeFolderFiles(zips);
    const std::string archive = state_.paths.archivesFolder + ci::kSep + entry + ".zip";
    if (!ci::isFile(archive))
        return;
    ExtractZip(ci::resolve(archive)->string(), zips);
    state_.settings.lastArchive = entry;
    state_.gameSelection.zip = true;
    state_.gameSelection.currentGameFolder = zips + ci::kSep;
    std::vector<std::string> files;
    for (const std::string& name : ci::listFolder(zips))
        if (ci::isFile(zips + ci::kSep + name))
            files.push_back(name);
    addGameFiles(files);
    chooseMainWad(state_.gameSelection.currentGameFolder);
    showSaveGames(entry);
    host_.greyHiresFrame();
}

void LibraryPanel::selectInstalledGame(const std::string& entry) {
    const std::string game = installedGameFolderName(entry);
    const GameFolderKind kind = installedGameKind(game);
    std::string folder;
    if (kind == GameFolderKind::Auto) {
        ExpandGameList();
        Auto[0]->setText(QLatin1String(kInstalledHeader));
        showConversionEntries(true);
        state_.gameSelection.autoGame = true;
        state_.gameSelection.autoGameName = game;
        folder = state_.paths.gamesFolder + game + "/Gwads";
    } else if (kind == GameFolderKind::Manual) {
        ShrinkGameList();
        const bool scripted = scriptedMapInstalled(state_.paths, game);
        Auto[0]->setText(scripted ? QLatin1String(kScriptedHeader)
                                  : QLatin1String(kInstalledHeader));
        showConversionEntries(!scripted);
        state_.gameSelection.manualGame = true;
        state_.gameSelection.manualGameName = game;
        folder = state_.paths.gamesFolder + game + "/Pwads";
    } else {
        return; // the folder vanished since the list was filled
    }
    state_.gameSelection.lastInstalledGame = entry;
    state_.mainWad.clear();
    const std::vector<std::string> files = listGameFiles(folder, state_.settings.wadFilesOnly);
    addGameFiles(files);
    if (kind == GameFolderKind::Manual && files.size() >= 5)
        ExpandGameList();
    showSaveGames(game);
    state_.gameSelection.currentGameFolder = folder + ci::kSep;
    if (kind == GameFolderKind::Auto) {
        ReadAutoRecords(game);
        // Nothing remembered yet: the first wad is chosen, so that the game
        // shows its maps and can be launched at once.
        if (selectedFileEntry().empty())
            for (int i = 0; i < PwadShowlist->count(); ++i)
                if (endsWithWad(PwadShowlist->item(i)->text().toStdString())) {
                    selectFileEntry(i, true);
                    break;
                }
    } else {
        chooseMainWad(state_.gameSelection.currentGameFolder);
    }
}

// Menu entries of the games menu: renaming always, the conversions only in
// development mode, and none of them for a scripted map.
void LibraryPanel::showConversionEntries(bool renamable) {
    mcRenameFolder->setVisible(renamable);
    const bool conversions = renamable && host_.developmentMode();
    mcUdirConvert->setVisible(conversions);
    mcGwadConvert->setVisible(conversions);
    Sep3->setVisible(conversions);
}

void LibraryPanel::showSaveGames(const std::string& saveName) {
    state_.gameSelection.saveFolder = state_.paths.root + "/UserSG/" + saveName + "/savegame";
    if (ci::isFolder(state_.gameSelection.saveFolder))
        host_.fillSaveGameList(ci::resolve(state_.gameSelection.saveFolder)->string());
    else
        n_.saveGameList->clear();
}

void LibraryPanel::addGameFiles(const std::vector<std::string>& names) {
    fillingGameFiles_ = true;
    for (const std::string& name : names)
        PwadShowlist->addItem(qs(name));
    fillingGameFiles_ = false;
}

// Selects a game file entry; `run` runs the file's selection as a click.
void LibraryPanel::selectFileEntry(int row, bool run) {
    fillingGameFiles_ = !run;
    PwadShowlist->setCurrentRow(row);
    fillingGameFiles_ = false;
}

void LibraryPanel::SelectFile() {
    std::string entry;
    state_.gameSelection.selectedFile.clear();
    for (int i = 0; i < PwadShowlist->count(); ++i) {
        QListWidgetItem* item = PwadShowlist->item(i);
        if (!item->isSelected())
            continue;
        entry = item->text().toStdString();
        state_.gameSelection.selectedFile = state_.gameSelection.currentGameFolder + entry;
        if (endsWithWad(entry))
            break;
    }
    if (state_.gameSelection.selectedFile.empty())
        return;
    state_.mainWad = endsWithWad(entry) ? state_.gameSelection.currentGameFolder + entry
                                        : state_.gameSelection.currentGameFolder;
    const bool noGrenades = isNoGrenadeMap(entry);
    host_.setGrenadeControlsEnabled(!noGrenades);
    if (state_.settings.gamesListView == InstalledGames) {
        if (scriptedMapInstalled(state_.paths, state_.gameSelection.manualGameName))
            host_.killSpriteOptions();
        else
            host_.restoreSpriteOptions();
        host_.greyHiresFrame();
    }
    n_.launchButton->setEnabled(true);
    n_.shortcutButton->setEnabled(state_.settings.gamesListView != ZipLibrary &&
                                  n_.shortcutCreation->isChecked());
    n_.mapList->clear();
    if (endsWithWad(entry))
        host_.fillMapList(state_.mainWad);
    if (n_.wadCheckList->count() <= 3 || n_.wadCheckList->item(3)->text().isEmpty()) {
        n_.mapList->clear();
        n_.launchButton->setEnabled(false);
    }
    host_.updateWarpTarget();
    if (state_.settings.rememberLastSavegame && restoreRememberedSaveGame())
        return;
    if (state_.settings.rememberLastMap) {
        if (state_.gameSelection.autoGame)
            ReadAutoRecords(state_.gameSelection.autoGameName);
        else
            ReadMapRecord();
    }
}

// Selects the saved game whose slot the game's record names; true when one
// was restored.
bool LibraryPanel::restoreRememberedSaveGame() {
    const std::string slot = rememberedSaveSlot();
    if (slot.empty())
        return false;
    if (n_.saveGameList->count() == 0)
        showSaveGames(saveNameOfSelection());
    if (!host_.chooseSaveGameOfSlot(slot))
        return false;
    state_.gameSelection.savedGameRestored = true;
    n_.mapList->clearSelection();
    return true;
}

void LibraryPanel::openGameFile(const std::string& name) {
    const std::string path = state_.gameSelection.currentGameFolder + name;
    if (opensInTextEditor(name))
        platform_.startProcess("notepad.exe \"" + path + "\"", state_.paths.root);
    else
        platform_.openDocument(path);
}

// ---- Task menus and the scripted-map filter -----------------------------------

bool LibraryPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == GamesFilter && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        GamesFilter->clear();
        return true;
    }
    gamesMouseEvent(watched, event);
    return QObject::eventFilter(watched, event);
}

// Right-button releases over the games list and the game files list offer
// their task menus; the header toggles the scripted-map filter as the
// picture does.
void LibraryPanel::gamesMouseEvent(QObject* watched, QEvent* event) {
    const bool mouseButton =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease;
    if (watched == Auto[0] && mouseButton && scriptedFilterReachable()) {
        // The button dips while the header is held down.
        const int step = event->type() == QEvent::MouseButtonPress ? -1 : +1;
        ImageCM->move(ImageCM->x(),
                      ImageCM->y() + step * twipsToPixels(20, window_->logicalDpiY()));
        if (event->type() == QEvent::MouseButtonRelease)
            ToggleScriptedFilter();
        return;
    }
    if (event->type() == QEvent::MouseButtonPress && watched == PwadShowlist->viewport()) {
        const auto* press = static_cast<QMouseEvent*>(event);
        const QListWidgetItem* item = PwadShowlist->itemAt(press->position().toPoint());
        selectedFileClicked_ = press->button() == Qt::LeftButton && item && item->isSelected();
    }
    if (event->type() != QEvent::MouseButtonRelease)
        return;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (watched == PwadShowlist->viewport() && state_.gameSelection.autoGameName.size() &&
        state_.settings.gamesListView == InstalledGames && state_.gameSelection.autoGame) {
        if (mouse->button() == Qt::RightButton && PwadShowlist->currentItem())
            mPopup3->popup(mouse->globalPosition().toPoint());
        else if (endsWithWad(state_.gameSelection.selectedFile))
            WriteAutoRecords(state_.gameSelection.autoGameName);
    }
    if (watched == PwadList->viewport() && mouse->button() == Qt::RightButton)
        if (QMenu* menu = gamesMenu())
            menu->popup(mouse->globalPosition().toPoint());
}

QMenu* LibraryPanel::gamesMenu() {
    QListWidgetItem* item = PwadList->currentItem();
    if (!item || showsDoomGamesView())
        return nullptr;
    const std::string rootName(fileNameOfPath(state_.paths.root));
    if (iequals(item->text().toStdString(), rootName))
        return nullptr;
    if (state_.settings.gamesListView == ZipLibrary) {
        mcUdirUnZip->setEnabled(true);
        return mPopup6;
    }
    mcRenameFolder->setEnabled(true);
    mcUdirConvert->setEnabled(state_.gameSelection.autoGame);
    mcGwadConvert->setEnabled(!state_.gameSelection.autoGame);
    return mPopup5;
}

bool LibraryPanel::scriptedFilterReachable() const {
    return state_.content.scriptedMapModels && advancedLayout_ &&
           state_.settings.gamesListView == InstalledGames;
}

void LibraryPanel::ToggleScriptedFilter() {
    if (state_.settings.gamesListView != InstalledGames)
        return;
    Settings& s = state_.settings;
    // Each filter state keeps its own remembered entry.
    (s.scriptedMapsMode ? s.rememberedScriptedEntry : s.rememberedNormalEntry) =
        state_.gameSelection.lastInstalledGame;
    s.scriptedMapsMode = !s.scriptedMapsMode;
    s.selectionMemory = s.scriptedMapsMode;
    ChkCM->setChecked(s.scriptedMapsMode);
    chkAutoSelect->setChecked(s.selectionMemory);
    state_.gameSelection.lastInstalledGame =
        s.scriptedMapsMode ? s.rememberedScriptedEntry : s.rememberedNormalEntry;
    ShowView(InstalledGames);
}

// ---- Zip extraction -----------------------------------------------------------

bool LibraryPanel::ExtractZip(const std::string& archive, const std::string& folder) {
    const ZipExtraction result =
        krv::ExtractZip(state_.paths.root, archive, folder,
                        [this](const std::string&) -> std::optional<std::string> {
                            NamePrompt prompt;
                            prompt.frameCaption = kZipPasswordPrompt;
                            prompt.windowCaption = " Zip password";
                            prompt.buttonCaption = "OK";
                            const NamePromptResult answer = platform_.askName(prompt);
                            if (answer.cancelled || answer.name.empty())
                                return std::nullopt;
                            return answer.name;
                        });
    if (!result.ok && window_->isVisible())
        platform_.showMessage("This file does not appear to be a valid zip file.    ",
                              msg::kCritical, " File error");
    return result.ok;
}

// The view buttons and the two boxes the settings keep; the boxes' handlers
// follow clicks only, so setting them runs none.
void LibraryPanel::settingsToControls(const Settings& s) {
    ChkCM->setChecked(s.scriptedMapsMode);
    chkAutoSelect->setChecked(s.selectionMemory);
    checkOnly(OptionUdir, s.gamesListView);
}

void LibraryPanel::controlsToSettings(Settings& s) const {
    s.scriptedMapsMode = ChkCM->isChecked();
    s.selectionMemory = chkAutoSelect->isChecked();
    s.gamesListView = checkedIndex(OptionUdir, s.gamesListView);
}

} // namespace krv
