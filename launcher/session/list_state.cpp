#include "launcher/session/list_state.h"

namespace krv {

std::vector<std::string> ListState::texts() const {
    std::vector<std::string> all;
    all.reserve(entries_.size());
    for (const ListEntry& entry : entries_)
        all.push_back(entry.text);
    return all;
}

std::string ListState::currentText() const {
    return current_ >= 0 ? text(current_) : std::string();
}

int ListState::firstShownRow() const {
    for (int row = 0; row < count(); ++row)
        if (!isHidden(row))
            return row;
    return -1;
}

void ListState::told(bool entriesChanged) {
    if (watcher_)
        watcher_(entriesChanged);
    if (!entriesChanged || quiet_)
        return;
    for (std::size_t i = 0; i < entriesChanged_.size(); ++i)
        entriesChanged_[i]();
}

void ListState::select(int row) {
    if (selected_ == row)
        return;
    selected_ = row;
    told(false);
    if (quiet_)
        return;
    for (std::size_t i = 0; i < selectionChanged_.size(); ++i)
        selectionChanged_[i]();
}

void ListState::makeCurrent(int row) {
    if (current_ == row)
        return;
    current_ = row;
    told(false);
    if (quiet_)
        return;
    for (std::size_t i = 0; i < currentRowChanged_.size(); ++i)
        currentRowChanged_[i](row);
}

void ListState::clear() {
    select(-1);
    makeCurrent(-1);
    if (entries_.empty())
        return;
    entries_.clear();
    told(true);
}

void ListState::add(std::string text, std::string title) {
    entries_.push_back({std::move(text), std::move(title), false});
    told(true);
}

void ListState::fill(std::vector<std::string> texts) {
    clear();
    if (texts.empty())
        return;
    entries_.reserve(texts.size());
    for (std::string& text : texts)
        entries_.push_back({std::move(text), {}, false});
    told(true);
}

void ListState::setTitle(int row, std::string title) {
    entries_.at(static_cast<std::size_t>(row)).title = std::move(title);
    told(true);
}

void ListState::setCurrentRow(int row) {
    if (row < -1 || row >= count())
        row = -1;
    select(row);
    makeCurrent(row);
}

void ListState::clearSelection() {
    select(-1);
}

void ListState::remove(int row) {
    if (row < 0 || row >= count())
        return;
    if (selected_ == row)
        select(-1);
    if (current_ == row)
        makeCurrent(row > 0 ? row - 1 : row + 1 < count() ? row + 1 : -1);
    entries_.erase(entries_.begin() + row);
    if (current_ > row)
        --current_;
    if (selected_ > row)
        --selected_;
    told(true);
}

void ListState::setHidden(int row, bool hidden) {
    ListEntry& entry = entries_.at(static_cast<std::size_t>(row));
    if (entry.hidden == hidden)
        return;
    entry.hidden = hidden;
    told(true);
}

} // namespace krv
