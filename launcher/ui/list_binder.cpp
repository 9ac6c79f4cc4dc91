#include "launcher/ui/list_binder.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

namespace krv {

ListStateModel::ListStateModel(const ListState& list, QObject* parent)
    : QAbstractListModel(parent), list_(list) {}

int ListStateModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.count();
}

QVariant ListStateModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= list_.count())
        return {};
    const ListEntry& entry = list_.entries()[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(entry.text);
    case kTitleRole:
        return entry.title.empty() ? QVariant() : QString::fromStdString(entry.title);
    case Qt::ToolTipRole: {
        // An entry's own text is shown as it stands, never read as markup.
        const std::string help = help_ ? help_(index.row()) : entry.title;
        if (help.empty())
            return {};
        return QStringLiteral("<qt>") +
               QString::fromStdString(help).toHtmlEscaped().replace(QLatin1Char('\n'),
                                                                    QStringLiteral("<br>")) +
               QStringLiteral("</qt>");
    }
    default:
        return {};
    }
}

void ListStateModel::reload() {
    beginResetModel();
    endResetModel();
}

ShownEntriesProxy::ShownEntriesProxy(const ListState& list, QObject* parent)
    : QSortFilterProxyModel(parent), list_(list) {}

bool ShownEntriesProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return sourceRow < list_.count() && !list_.isHidden(sourceRow);
}

ListBinder::ListBinder(ListState& list, QAbstractItemView* view, bool filtered, QObject* parent)
    : QObject(parent), list_(list), view_(view), model_(new ListStateModel(list, this)) {
    if (filtered) {
        proxy_ = new ShownEntriesProxy(list, this);
        proxy_->setSourceModel(model_);
        view->setModel(proxy_);
    } else {
        view->setModel(model_);
    }
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    list_.setWatcher([this](bool entriesChanged) { showState(entriesChanged); });
    QItemSelectionModel* selection = view->selectionModel();
    connect(selection, &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { takeCurrent(current); });
    connect(selection, &QItemSelectionModel::selectionChanged, this, [this] { takeSelection(); });
    connect(view, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { emit rowClicked(rowOfIndex(index)); });
    connect(view, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit rowDoubleClicked(rowOfIndex(index)); });
    showState(true);
}

ListBinder::~ListBinder() {
    list_.setWatcher({});
}

QModelIndex ListBinder::indexOfRow(int row) const {
    if (row < 0 || row >= list_.count())
        return {};
    const QModelIndex source = model_->index(row, 0);
    return proxy_ ? proxy_->mapFromSource(source) : source;
}

int ListBinder::rowOfIndex(const QModelIndex& index) const {
    if (!index.isValid())
        return -1;
    return proxy_ ? proxy_->mapToSource(index).row() : index.row();
}

void ListBinder::showState(bool entriesChanged) {
    if (!view_)
        return;
    showing_ = true;
    if (entriesChanged) {
        model_->reload();
        if (proxy_)
            proxy_->refilter();
    }
    showRows();
    showing_ = false;
    emit stateShown();
}

// The view's current and selected entries become the state's.
void ListBinder::showRows() {
    QItemSelectionModel* selection = view_->selectionModel();
    const QModelIndex current = indexOfRow(list_.currentRow());
    if (selection->currentIndex() != current)
        selection->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    const QModelIndex selected = indexOfRow(list_.selectedRow());
    if (!selected.isValid())
        selection->clearSelection();
    else if (!selection->isSelected(selected))
        selection->select(selected, QItemSelectionModel::ClearAndSelect);
}

// What the player did to the view goes to the state, in the order the view
// tells it; the state's reactions may then change the view again.
void ListBinder::takeCurrent(const QModelIndex& current) {
    if (showing_)
        return;
    list_.makeCurrent(rowOfIndex(current));
}

void ListBinder::takeSelection() {
    if (showing_)
        return;
    const QModelIndexList chosen = view_->selectionModel()->selectedIndexes();
    list_.select(chosen.isEmpty() ? -1 : rowOfIndex(chosen.front()));
}

} // namespace krv
