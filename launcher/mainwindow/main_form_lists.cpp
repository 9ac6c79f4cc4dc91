// The map and savegame lists of the Games tab and the skill selectors: the
// lists are filled by the inspection tool, and a click on a map or a saved
// game decides how the engine starts.

#include "launcher/mainwindow/main_form.h"

#include "launcher/inspect/map_list.h"
#include "launcher/ui/qt_text.h"

#include "common/ci_path.h"
#include "common/safe_names.h"
#include "common/text_file.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace krv {

void MainForm::connectLists() {
    for (int box = 0; box < 2; ++box)
        connect(SkillsLevel[box], &QComboBox::activated, this,
                [this](int index) { onSkillChosen(index); });
    connect(MapList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { onMapClicked(MapList->row(item)); });
    connect(SaveGameList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { onSaveGameClicked(SaveGameList->row(item)); });
    mPopup7 = new QMenu(this);
    mcDelSaveGame = mPopup7->addAction(QStringLiteral("Delete savegame"));
    connect(mcDelSaveGame, &QAction::triggered, this, &MainForm::DeleteSaveGame);
    MapList->viewport()->installEventFilter(this);
    SaveGameList->viewport()->installEventFilter(this);
}

// Presses and releases over the two lists: a press on the maps drops the
// saved game and a right click on a saved game offers its deletion.
bool MainForm::listMouseEvent(QObject* watched, QEvent* event) {
    const bool maps = watched == MapList->viewport();
    const bool saves = watched == SaveGameList->viewport();
    if (!maps && !saves)
        return false;
    if (event->type() == QEvent::MouseButtonPress && maps)
        SaveGameList->clearSelection();
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (saves && mouse->button() == Qt::RightButton && SaveGameList->currentItem() &&
        SaveGameList->currentItem()->isSelected())
        mPopup7->popup(mouse->globalPosition().toPoint());
    return false;
}

// A map or saved game clicked while " Start game from New" is shown brings
// the last skill back, so that the clicked entry is used.
void MainForm::restoreLastSkill() {
    if (SkillsLevel[0]->currentIndex() == 0 && state_.settings.lastSkill > 0)
        chooseSkill(state_.settings.lastSkill);
}

// ---- Tool runs ----------------------------------------------------------------

std::string MainForm::runTool(const std::string& verb, const std::string& path) {
    return showToolRun(runInspectionToolChecked(platform_, state_.paths, verb, path));
}

std::string MainForm::showToolRun(const HiddenRunResult& run) {
    if (const std::string failure = toolFailureMessage(run); !failure.empty())
        platform_.showMessage(failure, msg::kCritical, " KRVgFiles");
    FileOutput->setText(qs(run.output));
    return run.output;
}

void MainForm::keepToolOutput(const std::string& output) {
    writeTextLines(ci::resolveForWrite(state_.paths.dataFolder + "pwad.krv"), splitLines(output));
}

void MainForm::fillMapList(const std::string& gameFile) {
    const std::string output = runTool("CHECKWAD", gameFile);
    WadCheckList->clear();
    if (output.empty())
        return;
    keepToolOutput(output);
    const WadCheck check = parseWadCheck(output);
    MapList->clear();
    for (const std::string& line : check.lines)
        WadCheckList->addItem(qs(line));
    for (const std::string& map : check.maps)
        MapList->addItem(qs(map));
}

void MainForm::FillSaveGameList(const std::string& folder) {
    const std::string output = runTool("GETSAVEHDRS", folder);
    SaveGameList->clear();
    if (output.empty())
        return;
    keepToolOutput(output);
    for (const std::string& entry : parseSaveGameList(output))
        SaveGameList->addItem(qs(entry));
}

// ---- Skill and start kind -----------------------------------------------------

void MainForm::chooseSkill(int index) {
    for (QComboBox* box : SkillsLevel) {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(index);
    }
    onSkillChosen(index);
}

void MainForm::onSkillChosen(int index) {
    for (QComboBox* box : SkillsLevel) {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(index);
    }
    state_.settings.skill = index;
    if (index > 0)
        state_.settings.lastSkill = index;
    SetMapFocus();
}

void MainForm::SetMapFocus() {
    LaunchSelection& selection = state_.launchSelection;
    if (SkillsLevel[0]->currentIndex() == 0) {
        selection.startKind = StartKind::Normal;
        updateWarpTarget();
        MapList->clearSelection();
        SaveGameList->clearSelection();
        return;
    }
    if (selection.startKind == StartKind::LoadGame || MapList->count() == 0)
        return;
    const bool firstSelected = MapList->item(0)->isSelected();
    int row = 0;
    if (!firstSelected && selection.loadSlot.empty() && !MapList->item(0)->text().isEmpty() &&
        selection.rememberedMapIndex > 0 && selection.rememberedMapIndex < MapList->count())
        row = selection.rememberedMapIndex;
    MapList->setCurrentRow(row);
    selection.startKind = StartKind::Warp;
}

void MainForm::onMapClicked(int row) {
    LaunchSelection& selection = state_.launchSelection;
    selection.loadSlot.clear();
    selection.rememberedMapIndex = row;
    selection.startKind = StartKind::Warp;
    updateWarpTarget();
    if (state_.settings.rememberLastMap)
        recordMapChoice(row);
    restoreLastSkill();
}

void MainForm::onSaveGameClicked(int row) {
    chooseSaveGame(row);
    restoreLastSkill();
}

void MainForm::chooseSaveGame(int row) {
    if (row < 0)
        return;
    LaunchSelection& selection = state_.launchSelection;
    const std::string entry = SaveGameList->item(row)->text().toStdString();
    selection.loadSlot = entry.substr(0, 1);
    selection.savedGamePath =
        state_.gameSelection.saveFolder + ci::kSep + "KorvathSav" + selection.loadSlot + ".krvsg";
    selection.startKind = StartKind::LoadGame;
    MapList->clearSelection();
    if (state_.settings.rememberLastSavegame)
        recordSaveGameChoice(selection.loadSlot);
}

void MainForm::DeleteSaveGame() {
    const int answer =
        platform_.showMessage("Are you certain you wish to delete this savegame?     ",
                              msg::kYesNoQuestion, " Delete selected savegame");
    if (answer != msg::kResultYes)
        return;
    const std::string path = state_.launchSelection.savedGamePath;
    if (!path.empty() && ci::isFile(path))
        ci::removeFileInside(state_.gameSelection.saveFolder, path);
    state_.launchSelection.loadSlot.clear();
    state_.launchSelection.startKind =
        SkillsLevel[0]->currentIndex() == 0 ? StartKind::Normal : StartKind::Warp;
    SelectGame();
    if (MapList->count() > 0 && state_.launchSelection.startKind != StartKind::Normal) {
        MapList->setCurrentRow(0);
        state_.launchSelection.startKind = StartKind::Warp;
    }
}

} // namespace krv
