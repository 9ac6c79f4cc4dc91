#include "launcher/session/controls.h"

#include <stdexcept>

namespace krv {

std::string ControlId::objectName() const {
    std::string name(this->name);
    if (index >= 0)
        name += "_" + std::to_string(index);
    return name;
}

void Controls::add(ControlId id, ControlKind kind, std::optional<ControlId> parent,
                   std::string text) {
    Entry& e = entries_[id];
    e.state.kind = kind;
    e.state.parent = parent;
    e.state.text = std::move(text);
}

void Controls::addRadio(ControlId id, ControlId group, std::optional<ControlId> parent,
                        std::string text) {
    add(id, ControlKind::Radio, parent, std::move(text));
    entries_[id].state.group = group;
}

bool Controls::has(ControlId id) const {
    return entries_.count(id) != 0;
}

void Controls::checkDeclared() const {
    for (const auto& [id, e] : entries_)
        if (e.state.parent && !has(*e.state.parent))
            throw std::logic_error(id.objectName() + " is inside an undeclared frame " +
                                   e.state.parent->objectName());
}

Controls::Entry& Controls::entry(ControlId id) {
    const auto found = entries_.find(id);
    if (found == entries_.end())
        throw std::logic_error("no such control: " + id.objectName());
    return found->second;
}

const Controls::Entry& Controls::entry(ControlId id) const {
    const auto found = entries_.find(id);
    if (found == entries_.end())
        throw std::logic_error("no such control: " + id.objectName());
    return found->second;
}

const ControlState& Controls::state(ControlId id) const {
    return entry(id).state;
}

std::vector<ControlId> Controls::all() const {
    std::vector<ControlId> ids;
    ids.reserve(entries_.size());
    for (const auto& [id, e] : entries_)
        ids.push_back(id);
    return ids;
}

bool Controls::isEnabled(ControlId id) const {
    for (std::optional<ControlId> at = id; at; at = state(*at).parent)
        if (!state(*at).enabled)
            return false;
    return true;
}

bool Controls::isVisible(ControlId id) const {
    if (!windowShown_)
        return false;
    for (std::optional<ControlId> at = id; at; at = state(*at).parent)
        if (state(*at).hidden)
            return false;
    return true;
}

std::string Controls::currentText(ControlId id) const {
    const ControlState& s = state(id);
    return s.index >= 0 && s.index < static_cast<int>(s.entries.size())
               ? s.entries[static_cast<std::size_t>(s.index)]
               : std::string();
}

void Controls::changed(ControlId id) {
    if (watcher_)
        watcher_(id);
}

// A frame's availability and visibility reach every control inside it.
void Controls::changedWithChildren(ControlId id) {
    changed(id);
    for (const auto& [child, e] : entries_)
        if (e.state.parent == id)
            changedWithChildren(child);
}

void Controls::setEnabled(ControlId id, bool on) {
    Entry& e = entry(id);
    if (e.state.enabled == on)
        return;
    e.state.enabled = on;
    changedWithChildren(id);
}

void Controls::setEnabled(std::initializer_list<ControlId> ids, bool on) {
    for (ControlId id : ids)
        setEnabled(id, on);
}

void Controls::setHidden(ControlId id, bool hidden) {
    Entry& e = entry(id);
    if (e.state.hidden == hidden)
        return;
    e.state.hidden = hidden;
    changedWithChildren(id);
}

void Controls::setWindowShown(bool shown) {
    windowShown_ = shown;
}

void Controls::emitToggled(ControlId id, bool on) {
    Entry& e = entry(id);
    if (e.quiet)
        return;
    // By index: a reaction may register none, but the vector stays put.
    for (std::size_t i = 0; i < e.toggled.size(); ++i)
        e.toggled[i](on);
}

void Controls::setChecked(ControlId id, bool on) {
    Entry& e = entry(id);
    if (e.state.checked == on)
        return;
    const bool radio = e.state.kind == ControlKind::Radio;
    if (radio && !on)
        return; // a group keeps its ticked button
    e.state.checked = on;
    changed(id);
    if (radio && on)
        for (auto& [other, o] : entries_)
            if (!(other == id) && o.state.kind == ControlKind::Radio &&
                o.state.group == e.state.group && o.state.checked) {
                o.state.checked = false;
                changed(other);
                emitToggled(other, false);
                break;
            }
    emitToggled(id, on);
}

void Controls::setText(ControlId id, std::string text) {
    Entry& e = entry(id);
    if (e.state.text == text)
        return;
    e.state.text = std::move(text);
    changed(id);
    if (e.quiet)
        return;
    for (std::size_t i = 0; i < e.textChanged.size(); ++i)
        e.textChanged[i](e.state.text);
}

void Controls::setEntries(ControlId id, std::vector<std::string> entries) {
    Entry& e = entry(id);
    e.state.entries = std::move(entries);
    changed(id);
}

void Controls::setCurrentIndex(ControlId id, int index) {
    Entry& e = entry(id);
    if (index < -1 || index >= static_cast<int>(e.state.entries.size()))
        index = -1;
    if (e.state.index == index)
        return;
    e.state.index = index;
    changed(id);
    if (e.quiet)
        return;
    for (std::size_t i = 0; i < e.indexChanged.size(); ++i)
        e.indexChanged[i](index);
}

void Controls::setColour(ControlId id, std::optional<CaptionColour> colour) {
    Entry& e = entry(id);
    if (e.state.colour == colour)
        return;
    e.state.colour = colour;
    changed(id);
}

void Controls::setToolTip(ControlId id, std::string text) {
    Entry& e = entry(id);
    if (e.state.toolTip == text)
        return;
    e.state.toolTip = std::move(text);
    changed(id);
}

void Controls::click(ControlId id) {
    if (!isEnabled(id))
        return;
    Entry& e = entry(id);
    const ControlKind kind = e.state.kind;
    if (kind == ControlKind::CheckBox)
        setChecked(id, !e.state.checked);
    else if (kind == ControlKind::Radio)
        setChecked(id, true);
    if (e.quiet)
        return;
    for (std::size_t i = 0; i < e.released.size(); ++i)
        e.released[i]();
    for (std::size_t i = 0; i < e.clicked.size(); ++i)
        e.clicked[i](e.state.checked);
}

void Controls::activate(ControlId id, int index) {
    if (!isEnabled(id))
        return;
    setCurrentIndex(id, index);
    Entry& e = entry(id);
    if (e.quiet)
        return;
    for (std::size_t i = 0; i < e.activated.size(); ++i)
        e.activated[i](e.state.index);
}

void Controls::onToggled(ControlId id, BoolReaction reaction) {
    entry(id).toggled.push_back(std::move(reaction));
}

void Controls::onClicked(ControlId id, BoolReaction reaction) {
    entry(id).clicked.push_back(std::move(reaction));
}

void Controls::onReleased(ControlId id, std::function<void()> reaction) {
    entry(id).released.push_back(std::move(reaction));
}

void Controls::onTextChanged(ControlId id, TextReaction reaction) {
    entry(id).textChanged.push_back(std::move(reaction));
}

void Controls::onIndexChanged(ControlId id, IndexReaction reaction) {
    entry(id).indexChanged.push_back(std::move(reaction));
}

void Controls::onActivated(ControlId id, IndexReaction reaction) {
    entry(id).activated.push_back(std::move(reaction));
}

Controls::Quiet::Quiet(Controls& controls, ControlId id)
    : controls_(controls), id_(id), wasQuiet_(controls.entry(id).quiet) {
    controls_.entry(id_).quiet = true;
}

Controls::Quiet::~Quiet() {
    controls_.entry(id_).quiet = wasQuiet_;
}

} // namespace krv
