// The map and savegame lists and the skill selectors.

#include "launcher/inspect/inspect_panel.h"

#include "launcher/inspect/inspect_controls.h"
#include "launcher/library/library_controls.h"
#include "launcher/ui/list_binder.h"
#include "launcher/ui/panel_controls.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace krv {

using namespace ids;

namespace {

// Paints a map entry as its name followed by its title, cut to the list's
// width; the entry's size, and so the list's, follows the name alone.
class MapTitleDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString title = index.data(ListStateModel::kTitleRole).toString();
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

// A list under its bold header.
QVBoxLayout* headed(ControlBinder& binder, ControlId header, QWidget* part) {
    auto* column = new QVBoxLayout(part);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(boundHeader(binder, header, part, header == Auto[2]));
    return column;
}

} // namespace

InspectPanel::InspectPanel(Part part, InspectController& inspect, SessionModel& model,
                           ControlBinder& binder, QWidget* parent)
    : QWidget(parent), inspect_(inspect), binder_(binder) {
    switch (part) {
    case Part::Maps:
        buildMaps(model);
        break;
    case Part::SaveGames:
        buildSaveGames(model);
        break;
    case Part::StartFrame:
        buildFrame(StartFrame, SkillsLevel[0]);
        break;
    case Part::SkillFrame:
        buildFrame(SkillFrame, ControlId{});
        break;
    case Part::SkillBox: {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(bound<QComboBox>(binder_, SkillsLevel[1], this));
        break;
    }
    }
}

void InspectPanel::buildMaps(SessionModel& model) {
    QVBoxLayout* column = headed(binder_, Auto[2], this);
    QListView* maps = boundListView(binder_, MapList, this);
    maps->setItemDelegate(new MapTitleDelegate(maps));
    maps->setTextElideMode(Qt::ElideRight);
    maps->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column->addWidget(maps, 1);
    list_ = new ListBinder(model.maps, maps, false, this);
    connect(list_, &ListBinder::rowClicked, this, [this](int row) { inspect_.clickMap(row); });
    connect(list_, &ListBinder::stateShown, this, &InspectPanel::listShown);
    // A press on the maps drops the saved game before the list takes it.
    maps->viewport()->installEventFilter(this);
}

void InspectPanel::buildSaveGames(SessionModel& model) {
    QVBoxLayout* column = headed(binder_, Auto[3], this);
    QListView* saves = boundListView(binder_, SaveGameList, this);
    column->addWidget(saves, 1);
    list_ = new ListBinder(model.saveGames, saves, false, this);
    connect(list_, &ListBinder::rowClicked, this, [this](int row) { inspect_.clickSaveGame(row); });
    connect(list_, &ListBinder::stateShown, this, &InspectPanel::listShown);
    mPopup7 = new QMenu(this);
    QAction* remove = mPopup7->addAction(QString());
    binder_.bind(mcDelSaveGame, remove);
    connect(remove, &QAction::triggered, this, [this] { inspect_.DeleteSaveGame(); });
    saves->viewport()->installEventFilter(this);
}

// The two skill boxes list the same entries; their frames say what each is for.
void InspectPanel::buildFrame(ControlId frame, ControlId box) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* group = bound<QGroupBox>(binder_, frame, this);
    outer->addWidget(group);
    auto* row = new QHBoxLayout(group);
    row->setContentsMargins(6, 2, 6, 4);
    if (!box.name.empty())
        row->addWidget(bound<QComboBox>(binder_, box, group));
}

void InspectPanel::holdSkillBox(QWidget* box) {
    auto* group = findChild<QGroupBox*>();
    group->layout()->addWidget(box);
    showMoved(box);
}

// Presses and releases over the two lists: a press on the maps drops the
// saved game and a right click on a saved game offers its deletion.
bool InspectPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return false;
    if (!list_ || watched != list_->view()->viewport())
        return false;
    if (event->type() == QEvent::MouseButtonPress && !mPopup7)
        inspect_.pressMapList();
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonRelease && mPopup7 &&
        mouse->button() == Qt::RightButton && inspect_.saveGameMenuOffered())
        mPopup7->popup(mouse->globalPosition().toPoint());
    return false;
}

} // namespace krv
