#pragma once
// The entries of one of the window's lists without the widget: their texts,
// the current entry, the selected one and the entries a filter hides. It
// behaves as a single-selection list widget does, because the launcher's
// rules were made for that behaviour: choosing a row as current selects it,
// clearing the selection keeps the current row, clearing the list clears
// both; a change of the selection is told before a change of the current
// row, and a change to what already holds tells nothing.

#include <functional>
#include <string>
#include <vector>

namespace krv {

struct ListEntry {
    std::string text;
    std::string title; // a further text the list shows after the entry's own (a map's title)
    bool hidden = false;
};

class ListState {
public:
    int count() const { return static_cast<int>(entries_.size()); }
    const std::vector<ListEntry>& entries() const { return entries_; }
    const std::string& text(int row) const {
        return entries_.at(static_cast<std::size_t>(row)).text;
    }
    std::vector<std::string> texts() const;
    int currentRow() const { return current_; }
    // The current entry's text; empty for none.
    std::string currentText() const;
    int selectedRow() const { return selected_; }
    bool isSelected(int row) const { return row >= 0 && row == selected_; }
    bool isHidden(int row) const { return entries_.at(static_cast<std::size_t>(row)).hidden; }
    // The first row the filter shows; -1 for none.
    int firstShownRow() const;

    // Clears the selection, then the current row, then the entries.
    void clear();
    void add(std::string text, std::string title = {});
    // Clears the list, then fills it with `texts` at once.
    void fill(std::vector<std::string> texts);
    void setTitle(int row, std::string title);
    // The row becomes the current one and the only one selected; -1 clears
    // both.
    void setCurrentRow(int row);
    void clearSelection();
    // What the player's press or keys did to a list widget, told as the
    // widget tells it: the current row alone, the selected row alone.
    void makeCurrent(int row);
    void select(int row);
    void setHidden(int row, bool hidden);
    // Takes an entry out as the list widget does: a current entry gives its
    // place to the one above it (or below, for the first), which is told as
    // current while the entry is still listed.
    void remove(int row);

    using RowReaction = std::function<void(int)>;
    void onCurrentRowChanged(RowReaction reaction) {
        currentRowChanged_.push_back(std::move(reaction));
    }
    void onSelectionChanged(std::function<void()> reaction) {
        selectionChanged_.push_back(std::move(reaction));
    }
    // The entries themselves changed (not only the current or selected row).
    void onEntriesChanged(std::function<void()> reaction) {
        entriesChanged_.push_back(std::move(reaction));
    }

    // While a Quiet lives, the list's changes run no reaction.
    class Quiet {
    public:
        explicit Quiet(ListState& list) : list_(list), was_(list.quiet_) { list_.quiet_ = true; }
        ~Quiet() { list_.quiet_ = was_; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

    private:
        ListState& list_;
        bool was_;
    };

    // Hears every change: of the entries (`entriesChanged`) or only of the
    // current and selected rows.
    using Watcher = std::function<void(bool entriesChanged)>;
    void setWatcher(Watcher watcher) { watcher_ = std::move(watcher); }

private:
    void told(bool entriesChanged);

    std::vector<ListEntry> entries_;
    int current_ = -1;
    int selected_ = -1;
    bool quiet_ = false;
    std::vector<RowReaction> currentRowChanged_;
    std::vector<std::function<void()>> selectionChanged_;
    std::vector<std::function<void()>> entriesChanged_;
    Watcher watcher_;
};

} // namespace krv
