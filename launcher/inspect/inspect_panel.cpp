// The map and savegame lists and the skill selectors.

#include "launcher/inspect/inspect_panel.h"

#include "launcher/inspect/map_list.h"
#include "launcher/ui/panel_controls.h"
#include "launcher/ui/qt_text.h"

#include "common/ci_path.h"
#include "common/safe_names.h"
#include "common/text_file.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

namespace krv {

namespace {

// Paints a map entry as its name followed by its title, cut to the list's
// width; the entry's size, and so the list's, follows the name alone.
class MapTitleDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString title = index.data(InspectPanel::kMapTitleRole).toString();
        if (!title.isEmpty())
            option->text += QStringLiteral("  ") + title;
    }

public:
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem plain(option);
        QStyledItemDelegate::initStyleOption(&plain, index);
        const QStyle* style = plain.widget ? plain.widget->style() : QApplication::style();
        return style->sizeFromContents(QStyle::CT_ItemViewItem, &plain, QSize(), plain.widget);
    }
};

} // namespace

InspectPanel::InspectPanel(AppState& state, Platform& platform, QWidget* page, QWidget* window)
    : QObject(window), state_(state), platform_(platform) {
    MapList = list(page);
    MapList->setItemDelegate(new MapTitleDelegate(MapList));
    MapList->setTextElideMode(Qt::ElideRight);
    MapList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SaveGameList = list(page);
    buildSkillBoxes(page);
    // Buffers of the tool runs; never shown.
    WadCheckList = new QListWidget(window);
    FileOutput = new QLineEdit(window);
    WadCheckList->hide();
    FileOutput->hide();
    mPopup7 = new QMenu(window);
    mcDelSaveGame = mPopup7->addAction(QStringLiteral("Delete savegame"));
    connectControls();
}

void InspectPanel::buildSkillBoxes(QWidget* page) {
    const char* skills[] = {" Start game from New",   "1 - I'm too young to die",
                            "2 - Hey, not too rough", "3 - Hurt me plenty",
                            "4 - Ultra-Violence",     "5 - NIGHTMARE"};
    // The two boxes list the same entries; their frames say what each is for.
    StartFrame = new QGroupBox(QStringLiteral(" Start mode "), page);
    SkillFrame = new QGroupBox(QStringLiteral(" Skill level "), page);
    for (int box = 0; box < 2; ++box) {
        QGroupBox* frame = box == 0 ? StartFrame : SkillFrame;
        SkillsLevel[box] = new QComboBox(frame);
        for (int entry = 0; entry < 6; ++entry) {
            QString text = QString::fromLatin1(skills[entry]);
            if (box == 1 && entry == 0)
                text = text.trimmed(); // the second box drops the leading blank
            SkillsLevel[box]->addItem(text);
        }
        auto* frameRow = new QHBoxLayout(frame);
        frameRow->setContentsMargins(6, 2, 6, 4);
        frameRow->addWidget(SkillsLevel[box]);
    }
}

void InspectPanel::restoreSkillBox() {
    SkillFrame->layout()->addWidget(SkillsLevel[1]);
    SkillsLevel[1]->show();
}

void InspectPanel::connectControls() {
    for (int box = 0; box < 2; ++box)
        connect(SkillsLevel[box], &QComboBox::activated, this,
                [this](int index) { onSkillChosen(index); });
    connect(MapList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { onMapClicked(MapList->row(item)); });
    connect(SaveGameList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        chooseSaveGame(SaveGameList->row(item));
        restoreLastSkill();
    });
    connect(mcDelSaveGame, &QAction::triggered, this, &InspectPanel::DeleteSaveGame);
    MapList->viewport()->installEventFilter(this);
    SaveGameList->viewport()->installEventFilter(this);
}

// Presses and releases over the two lists: a press on the maps drops the
// saved game and a right click on a saved game offers its deletion.
bool InspectPanel::eventFilter(QObject* watched, QEvent* event) {
    // Only mouse buttons matter; the lists are not asked for their viewports
    // on the events of their own tear-down.
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return false;
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
void InspectPanel::restoreLastSkill() {
    if (SkillsLevel[0]->currentIndex() == 0 && state_.settings.lastSkill > 0)
        chooseSkill(state_.settings.lastSkill);
}

// ---- Tool runs ----------------------------------------------------------------

std::string InspectPanel::runTool(const std::string& verb, const std::string& path) {
    return showToolRun(runInspectionToolChecked(platform_, state_.paths, verb, path));
}

std::string InspectPanel::showToolRun(const HiddenRunResult& run) {
    if (const std::string failure = toolFailureMessage(run); !failure.empty())
        platform_.showMessage(failure, msg::kCritical, " KRVgFiles");
    FileOutput->setText(qs(run.output));
    return run.output;
}

void InspectPanel::keepToolOutput(const std::string& output) {
    writeTextLines(ci::resolveForWrite(state_.paths.dataFolder + "pwad.krv"), splitLines(output),
                   Durability::Scratch);
}

void InspectPanel::fillMapList(const std::string& gameFile) {
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
    if (!check.maps.empty())
        showMapTitles(gameFile);
}

// One more tool run names the maps' titles; its output stays out of
// "pwad.krv", which the engine reads as the map check's.
void InspectPanel::showMapTitles(const std::string& gameFile) {
    const auto titles =
        parseMapTitles(runInspectionTool(platform_, state_.paths, "MAPTITLES", gameFile));
    for (int row = 0; row < MapList->count(); ++row) {
        QListWidgetItem* item = MapList->item(row);
        const auto title = titles.find(item->text().toStdString());
        if (title == titles.end())
            continue;
        const QString text = qs(title->second);
        item->setData(kMapTitleRole, text);
        // The WAD's text is shown as it stands, never read as markup.
        item->setToolTip(QStringLiteral("<qt>") + text.toHtmlEscaped() + QStringLiteral("</qt>"));
    }
}

void InspectPanel::FillSaveGameList(const std::string& folder) {
    const std::string output = runTool("GETSAVEHDRS", folder);
    SaveGameList->clear();
    if (output.empty())
        return;
    keepToolOutput(output);
    for (const std::string& entry : parseSaveGameList(output))
        SaveGameList->addItem(qs(entry));
}

// ---- Skill and start kind -----------------------------------------------------

void InspectPanel::chooseSkill(int index) {
    for (QComboBox* box : SkillsLevel) {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(index);
    }
    onSkillChosen(index);
}

void InspectPanel::onSkillChosen(int index) {
    for (QComboBox* box : SkillsLevel) {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(index);
    }
    state_.settings.skill = index;
    if (index > 0)
        state_.settings.lastSkill = index;
    SetMapFocus();
}

void InspectPanel::SetMapFocus() {
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

void InspectPanel::onMapClicked(int row) {
    LaunchSelection& selection = state_.launchSelection;
    selection.loadSlot.clear();
    selection.rememberedMapIndex = row;
    selection.startKind = StartKind::Warp;
    updateWarpTarget();
    if (state_.settings.rememberLastMap)
        emit mapChosen(row);
    restoreLastSkill();
}

bool InspectPanel::chooseSaveGameOfSlot(const std::string& slot) {
    const int row = saveGameRowOfSlot(entriesOf(SaveGameList), slot);
    if (row < 0)
        return false;
    SaveGameList->setCurrentRow(row);
    chooseSaveGame(row);
    return true;
}

void InspectPanel::chooseSaveGame(int row) {
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
        emit saveGameChosen(selection.loadSlot);
}

void InspectPanel::DeleteSaveGame() {
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
    emit saveGameDeleted();
    if (MapList->count() > 0 && state_.launchSelection.startKind != StartKind::Normal) {
        MapList->setCurrentRow(0);
        state_.launchSelection.startKind = StartKind::Warp;
    }
}

// ---- Warp target ----------------------------------------------------------------

void InspectPanel::updateWarpTarget() {
    std::vector<std::string> maps;
    for (int i = 0; i < MapList->count(); ++i)
        maps.push_back(MapList->item(i)->text().toStdString());
    LaunchSelection& selection = state_.launchSelection;
    const WarpChoice choice =
        warpTargetFor(maps, MapList->currentRow(), state_.iwads, state_.mainWad,
                      {selection.iwadPath, selection.warpMap});
    selection.iwadPath = choice.iwadPath;
    selection.warpMap = choice.warpMap;
}

void InspectPanel::settingsToControls(const Settings& s) {
    for (QComboBox* skill : SkillsLevel)
        skill->setCurrentIndex(std::clamp(s.skill, 0, skill->count() - 1));
}

void InspectPanel::controlsToSettings(Settings& s) const {
    s.skill = std::max(0, SkillsLevel[0]->currentIndex());
}

} // namespace krv
