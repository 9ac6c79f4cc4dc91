#pragma once
// The window's lists as item views over the widget-free list states: an item
// model shows a list state's entries, a proxy model leaves out the entries
// the state hides, and a binder carries the player's presses and keys to the
// state and the state's current and selected rows back to the view.

#include "launcher/session/list_state.h"

#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QPointer>
#include <QSortFilterProxyModel>

#include <functional>
#include <string>

namespace krv {

// The entries of a list state, as an item model: the entry's text, its
// further title in `kTitleRole`, and that title as the entry's help text.
class ListStateModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kTitleRole = Qt::UserRole + 1;

    explicit ListStateModel(const ListState& list, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // The state's entries changed: the views take them anew.
    void reload();
    // The help text of an entry comes from `help` (plain text, a line break
    // between lines) instead of the entry's title.
    void setHelp(std::function<std::string(int row)> help) { help_ = std::move(help); }

private:
    const ListState& list_;
    std::function<std::string(int row)> help_;
};

// Shows only the entries the list state does not hide.
class ShownEntriesProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    ShownEntriesProxy(const ListState& list, QObject* parent = nullptr);
    void refilter() { invalidateRowsFilter(); }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    const ListState& list_;
};

class ListBinder : public QObject {
    Q_OBJECT
public:
    // Shows `list` in `view`; with `filtered` the entries it hides are left
    // out. The binder watches the list state for as long as it lives.
    ListBinder(ListState& list, QAbstractItemView* view, bool filtered, QObject* parent);
    ~ListBinder() override;

    QAbstractItemView* view() const { return view_; }
    ListStateModel* model() const { return model_; }
    // The view's index of a state's row, and back; invalid or -1 where the
    // row is not shown.
    QModelIndex indexOfRow(int row) const;
    int rowOfIndex(const QModelIndex& index) const;

signals:
    // The player clicked or double-clicked an entry: its row in the state.
    void rowClicked(int row);
    void rowDoubleClicked(int row);
    // The list state changed and the view shows it.
    void stateShown();

private:
    void showState(bool entriesChanged);
    void showRows();
    void takeCurrent(const QModelIndex& current);
    void takeSelection();

    ListState& list_;
    QPointer<QAbstractItemView> view_;
    ListStateModel* model_;
    ShownEntriesProxy* proxy_ = nullptr;
    bool showing_ = false; // the view is being brought to the state
};

} // namespace krv
