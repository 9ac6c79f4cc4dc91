// The games list of the Games tab: its three views, the selection of a game
// and of a game file, the task menus, the scripted-map filter and the launch
// preferences. The library's records and the game files' choice are read
// through the adapters of main_form_records.cpp.

#include "launcher/mainwindow/main_form.h"

#include "launcher/library/game_operations.h"
#include "launcher/library/scripted_maps.h"
#include "launcher/library/unzip_module.h"
#include "launcher/library/zip_library.h"
#include "launcher/ui/qt_text.h"

#include "common/ci_path.h"
#include "common/strings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
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

void MainForm::connectGamesList() {
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
    connect(ImageCM, &QToolButton::clicked, this, &MainForm::ToggleScriptedFilter);
    connect(GamesFilter, &QLineEdit::textChanged, this, &MainForm::filterGamesList);

    connect(chkLaunchPrefs[0], &QCheckBox::clicked, this, [this](bool on) {
        state_.settings.rememberLastMap = on;
        if (!on)
            clearMapRecords();
    });
    connect(chkLaunchPrefs[1], &QCheckBox::clicked, this, [this](bool on) {
        state_.settings.rememberLastSavegame = on;
        if (!on)
            clearSaveRecords();
    });
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

    mPopup5 = new QMenu(this);
    mcDeleteFolder = mPopup5->addAction(QStringLiteral("Uninstall game from list"));
    mcRenameFolder = mPopup5->addAction(QStringLiteral("Rename game in list"));
    Sep3 = mPopup5->addSeparator();
    mcUdirConvert = mPopup5->addAction(QStringLiteral("Convert Udir to Pwads"));
    mcGwadConvert = mPopup5->addAction(QStringLiteral("Convert  Udir to Gwads"));
    mPopup6 = new QMenu(this);
    mcUdirUnZip = mPopup6->addAction(QStringLiteral("Install to Games List"));
    sep1 = mPopup6->addSeparator();
    mcRenameArchive = mPopup6->addAction(QStringLiteral("Rename zip file"));
    mcDeleteArchive = mPopup6->addAction(QStringLiteral("Delete zip file"));
    mcGwadUnZip = mPopup6->addAction(QStringLiteral("Install  to Games List as Gwad"));
    mPopup3 = new QMenu(this);
    mcDeleteFile = mPopup3->addAction(QStringLiteral("Delete file"));
    PwadList->viewport()->installEventFilter(this);
    PwadShowlist->viewport()->installEventFilter(this);
    Auto[0]->installEventFilter(this);
}

// ---- Views --------------------------------------------------------------------

void MainForm::ShowView(int view) {
    if (view < InstalledGames || view > ZipLibrary)
        view = DoomGames;
    const bool wasScripted = Auto[0]->text() == QLatin1String(kScriptedHeader);
    state_.gameSelection.clearMarks();
    inspect_->SaveGameList->clear();
    if (wasScripted)
        options_->RestoreSpriteOptions();
    for (int i = 0; i < 3; ++i) {
        QPalette palette = OptionUdir[i]->palette();
        palette.setColor(QPalette::WindowText,
                         i == view ? QColor(192, 0, 0)
                                   : QApplication::palette().color(QPalette::WindowText));
        OptionUdir[i]->setPalette(palette);
    }
    PwadShowlist->clear();
    inspect_->MapList->clear();
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
        AuxButton[7]->hide();
        ImageCM->setVisible(state_.content.scriptedMapModels && advancedLayout_);
        FillInstalledGames();
        launch_->LaunchButton->setEnabled(true);
        Auto[0]->setText(QLatin1String(kInstalledHeader));
        wanted = state_.gameSelection.lastInstalledGame;
    } else if (view == DoomGames) {
        ImageCM->hide();
        AuxButton[7]->hide();
        if (!state_.settings.disableTooltips)
            PwadList->setToolTip({});
        launch_->LaunchButton->setEnabled(true);
        AuxButton[2]->setEnabled(true);
        Auto[0]->setText(QStringLiteral("COMMERCIAL DOOM LIST"));
        PwadList->clear(); // the view before may have listed other games
        for (const std::string& title : doomGamesTitles(state_.iwads, state_.font.isSet()))
            PwadList->addItem(qs(title));
        wanted = state_.settings.lastCommercialTitle;
    } else {
        ImageCM->hide();
        AuxButton[7]->setVisible(!AuxButton[3]->isVisible() && advancedLayout_);
        PwadList->setToolTip(
            state_.settings.disableTooltips
                ? QString()
                : QStringLiteral(" Right click on selected zip file for tasks menu. "));
        launch_->LaunchButton->setEnabled(true);
        AuxButton[2]->setEnabled(false);
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
        launch_->LaunchButton->setEnabled(false);
        AuxButton[2]->setEnabled(false);
    }
}

void MainForm::filterGamesList() {
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
    inspect_->MapList->clear();
    inspect_->SaveGameList->clear();
    launch_->LaunchButton->setEnabled(false);
}

void MainForm::FillInstalledGames() {
    PwadList->clear();
    const bool filtered = state_.settings.scriptedMapsMode;
    for (const std::string& name : installedGameNames()) {
        if (filtered && !isScriptedMapName(name))
            continue;
        PwadList->addItem(qs(state_.font.isSet() ? name : toUpper(name)));
    }
}

void MainForm::FillZipLibrary(const std::string& folder) {
    if (!ci::isFolder(folder))
        ci::createFolder(folder);
    PwadList->clear();
    for (std::string name : zipArchiveNames(folder)) {
        if (state_.font.isSet())
            name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        else
            name = toUpper(name);
        PwadList->addItem(qs(name));
    }
}

bool MainForm::showsDoomGamesView() const {
    return state_.settings.gamesListView == DoomGames;
}

void MainForm::refillDoomGamesView() {
    if (showsDoomGamesView())
        ShowView(DoomGames);
}

void MainForm::clearDoomGamesView() {
    PwadList->clear();
    PwadShowlist->clear();
    inspect_->MapList->clear();
}

void MainForm::iwadsAccepted() {
    inspect_->updateWarpTarget();
    show();
    if (showsDoomGamesView() && PwadList->count() > 0 && PwadList->currentRow() < 0)
        PwadList->setCurrentRow(0);
}

// The two fixed arrangements of the lower lists: shrunk gives the maps and
// saved games the room, expanded the game files of a multi-file game.
void MainForm::ShrinkGameList() {
    gamesGrid_->setRowStretch(2, 1);
    gamesGrid_->setRowStretch(4, 1);
}

void MainForm::ExpandGameList() {
    gamesGrid_->setRowStretch(2, 3);
    gamesGrid_->setRowStretch(4, 1);
}

// ---- Selection ----------------------------------------------------------------

void MainForm::SelectGame() {
    fillingGameFiles_ = true;
    PwadShowlist->clear();
    fillingGameFiles_ = false;
    inspect_->MapList->clear();
    inspect_->SaveGameList->clearSelection();
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
void MainForm::restoreStartKind() {
    LaunchSelection& selection = state_.launchSelection;
    if (selection.startKind == StartKind::LoadGame)
        return;
    if (inspect_->SkillsLevel[0]->currentIndex() == 0) {
        selection.startKind = StartKind::Normal;
        inspect_->MapList->clearSelection();
    } else if (inspect_->MapList->currentRow() >= 0) {
        selection.startKind = StartKind::Warp;
    }
}

void MainForm::selectDoomGame(const std::string& title) {
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
        options_->GreyHiresFrame();
}

void MainForm::selectZip(const std::string& entry) {
    ExpandGameList();
    const std::string zips = state_.paths.launcherFolder + "Zips";
    if (!ci::isFolder(zips))
        ci::createFolder(zips);
    if (!iequals(entry, state_.settings.lastArchive))
        emptyFolder(zips);
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
    options_->GreyHiresFrame();
}

void MainForm::selectInstalledGame(const std::string& entry) {
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
    const std::vector<std::string> files = listGameFiles(folder);
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
void MainForm::showConversionEntries(bool renamable) {
    mcRenameFolder->setVisible(renamable);
    const bool conversions = renamable && options_->chkTesting->isChecked();
    mcUdirConvert->setVisible(conversions);
    mcGwadConvert->setVisible(conversions);
    Sep3->setVisible(conversions);
}

void MainForm::showSaveGames(const std::string& saveName) {
    state_.gameSelection.saveFolder = state_.paths.root + "/UserSG/" + saveName + "/savegame";
    if (ci::isFolder(state_.gameSelection.saveFolder))
        inspect_->FillSaveGameList(ci::resolve(state_.gameSelection.saveFolder)->string());
    else
        inspect_->SaveGameList->clear();
}

void MainForm::addGameFiles(const std::vector<std::string>& names) {
    fillingGameFiles_ = true;
    for (const std::string& name : names)
        PwadShowlist->addItem(qs(name));
    fillingGameFiles_ = false;
}

// Selects a game file entry; `run` runs the file's selection as a click.
void MainForm::selectFileEntry(int row, bool run) {
    fillingGameFiles_ = !run;
    PwadShowlist->setCurrentRow(row);
    fillingGameFiles_ = false;
}

void MainForm::SelectFile() {
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
    options_->setGrenadeControlsEnabled(!noGrenades);
    if (state_.settings.gamesListView == InstalledGames) {
        if (scriptedMapInstalled(state_.paths, state_.gameSelection.manualGameName))
            options_->KillSpriteOptions();
        else
            options_->RestoreSpriteOptions();
        options_->GreyHiresFrame();
    }
    launch_->LaunchButton->setEnabled(true);
    AuxButton[2]->setEnabled(state_.settings.gamesListView != ZipLibrary &&
                             chkLaunchPrefs[2]->isChecked());
    inspect_->MapList->clear();
    if (endsWithWad(entry))
        inspect_->fillMapList(state_.mainWad);
    if (inspect_->WadCheckList->count() <= 3 || inspect_->WadCheckList->item(3)->text().isEmpty()) {
        inspect_->MapList->clear();
        launch_->LaunchButton->setEnabled(false);
    }
    inspect_->updateWarpTarget();
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
bool MainForm::restoreRememberedSaveGame() {
    const std::string slot = rememberedSaveSlot();
    if (slot.empty())
        return false;
    if (inspect_->SaveGameList->count() == 0)
        showSaveGames(saveNameOfSelection());
    for (int i = 0; i < inspect_->SaveGameList->count(); ++i) {
        if (inspect_->SaveGameList->item(i)->text().toStdString().substr(0, 1) != slot)
            continue;
        inspect_->SaveGameList->setCurrentRow(i);
        inspect_->chooseSaveGame(i);
        state_.gameSelection.savedGameRestored = true;
        inspect_->MapList->clearSelection();
        return true;
    }
    return false;
}

void MainForm::openGameFile(const std::string& name) {
    const std::string path = state_.gameSelection.currentGameFolder + name;
    if (iequals(name, "sndinfo") || iequals(name, "dd_defns") || iequals(name, "scp_zoff") ||
        iequals(name, "scp_defn"))
        platform_.startProcess("notepad.exe \"" + path + "\"", state_.paths.root);
    else
        platform_.openDocument(path);
}

// ---- Task menus and the scripted-map filter -----------------------------------

// Right-button releases over the games list and the game files list offer
// their task menus; the header toggles the scripted-map filter as the
// picture does.
bool MainForm::gamesMouseEvent(QObject* watched, QEvent* event) {
    const bool mouseButton =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease;
    if (watched == Auto[0] && mouseButton && scriptedFilterReachable()) {
        if (event->type() == QEvent::MouseButtonPress)
            ImageCM->move(ImageCM->x(), ImageCM->y() - toPixels(20));
        if (event->type() == QEvent::MouseButtonRelease) {
            ImageCM->move(ImageCM->x(), ImageCM->y() + toPixels(20));
            ToggleScriptedFilter();
        }
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress && watched == PwadShowlist->viewport()) {
        const auto* press = static_cast<QMouseEvent*>(event);
        const QListWidgetItem* item = PwadShowlist->itemAt(press->position().toPoint());
        selectedFileClicked_ = press->button() == Qt::LeftButton && item && item->isSelected();
    }
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
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
    return false;
}

QMenu* MainForm::gamesMenu() {
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

bool MainForm::scriptedFilterReachable() const {
    return state_.content.scriptedMapModels && advancedLayout_ &&
           state_.settings.gamesListView == InstalledGames;
}

void MainForm::ToggleScriptedFilter() {
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

// ---- Documentation ------------------------------------------------------------

void MainForm::OpenDocumentation() {
    if (docsFolder_.empty())
        docsFolder_ = state_.paths.root + "/KRV_Docs";
    OpenFileRequest request;
    request.title = "Korvath Documentation";
    request.filter = "Korvath Documentation (*.txt *.htm)";
    request.initialFolder = docsFolder_;
    const auto chosen = platform_.openFile(request);
    if (!chosen)
        return;
    docsFolder_ = folderOfPath(*chosen);
    if (iendsWith(*chosen, ".txt") || iendsWith(*chosen, ".htm"))
        platform_.openDocument(*chosen);
}

void MainForm::emptyFolder(const std::string& folder) {
    removeFolderFiles(folder);
}

// ---- Zip extraction -----------------------------------------------------------

bool MainForm::ExtractZip(const std::string& archive, const std::string& folder) {
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
    if (!result.ok && isVisible())
        platform_.showMessage("This file does not appear to be a valid zip file.    ",
                              msg::kCritical, " File error");
    return result.ok;
}

} // namespace krv
