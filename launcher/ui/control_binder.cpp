#include "launcher/ui/control_binder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>

#include <vector>

namespace krv {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// A caption or a text box in a rule's colour, or back in the standard one.
void showColour(QWidget* widget, const std::optional<CaptionColour>& colour) {
    const char* kColoured = "krvColoured";
    if (!colour && !widget->property(kColoured).toBool())
        return;
    widget->setProperty(kColoured, colour.has_value());
    QPalette palette = widget->palette();
    const QPalette standard = QApplication::palette(widget);
    std::vector<QPalette::ColorRole> roles{QPalette::WindowText, QPalette::ButtonText};
    if (qobject_cast<QLineEdit*>(widget))
        roles = {QPalette::Text};
    for (const QPalette::ColorRole role : roles)
        palette.setColor(role, colour ? QColor(colour->red, colour->green, colour->blue)
                                      : standard.color(role));
    widget->setPalette(palette);
}

void showText(QWidget* widget, const ControlState& state) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(qs(state.text));
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(qs(state.text));
    else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        if (line->text().toStdString() != state.text)
            line->setText(qs(state.text));
    } else if (auto* frame = qobject_cast<QGroupBox*>(widget))
        frame->setTitle(qs(state.text));
}

void showEntries(QComboBox* box, const ControlState& state) {
    if (box->count() != static_cast<int>(state.entries.size())) {
        box->clear();
        for (const std::string& entry : state.entries)
            box->addItem(qs(entry));
    }
    box->setCurrentIndex(state.index);
}

} // namespace

ControlBinder::ControlBinder(Controls& controls, QObject* parent)
    : QObject(parent), controls_(controls) {
    controls_.setWatcher([this](ControlId id) {
        show(id);
        emit controlChanged();
    });
}

ControlBinder::~ControlBinder() {
    controls_.setWatcher({});
}

QWidget* ControlBinder::widget(ControlId id) const {
    const auto found = widgets_.find(id);
    return found == widgets_.end() ? nullptr : found->second.data();
}

void ControlBinder::bind(ControlId id, QWidget* widget) {
    widget->setObjectName(QString::fromStdString(id.objectName()));
    widgets_[id] = widget;
    show(id);
    connectPlayer(id, widget);
}

void ControlBinder::bind(ControlId id, QAction* action) {
    action->setObjectName(QString::fromStdString(id.objectName()));
    actions_[id] = action;
    show(id);
}

void ControlBinder::show(ControlId id) {
    const ControlState& state = controls_.state(id);
    if (const auto action = actions_.find(id); action != actions_.end() && action->second) {
        action->second->setEnabled(state.enabled);
        action->second->setVisible(!state.hidden);
        if (!state.text.empty())
            action->second->setText(qs(state.text));
        return;
    }
    QWidget* w = widget(id);
    if (!w)
        return;
    const QSignalBlocker quiet(w);
    w->setEnabled(controls_.isEnabled(id));
    if (w->isHidden() != state.hidden)
        w->setHidden(state.hidden);
    if (auto* button = qobject_cast<QAbstractButton*>(w); button && button->isCheckable())
        button->setChecked(state.checked);
    if (auto* box = qobject_cast<QComboBox*>(w))
        showEntries(box, state);
    else
        showText(w, state);
    showColour(w, state.colour);
    if (state.toolTip)
        w->setToolTip(qs(*state.toolTip));
}

// A press of a check box, radio button or tab toggles it and then clicks it;
// an assistive tool's Toggle action (a screen reader's) only toggles it.
// Either way the state takes the change once: here, and the click that may
// follow is then passed over. A radio button or tab is unchecked only by
// another one being checked, which that one's own change brings about.
void ControlBinder::takeToggle(ControlId id, QAbstractButton* button, bool on) {
    const bool exclusive =
        button->autoExclusive() || (button->group() && button->group()->exclusive());
    if ((!on && exclusive) || on == controls_.isChecked(id))
        return;
    controls_.click(id);
    show(id);
    toggledByThisClick_ = id;
    // A toggle without a click leaves no mark for a later click.
    QTimer::singleShot(0, this, [this] { toggledByThisClick_.reset(); });
}

// What the player does goes to the state; the widget then shows the state.
void ControlBinder::connectPlayer(ControlId id, QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, id] {
            if (toggledByThisClick_ == id) {
                toggledByThisClick_.reset();
                return;
            }
            controls_.click(id);
            show(id);
        });
        if (button->isCheckable())
            connect(button, &QAbstractButton::toggled, this,
                    [this, id, button](bool on) { takeToggle(id, button, on); });
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        connect(line, &QLineEdit::textEdited, this,
                [this, id](const QString& text) { controls_.setText(id, text.toStdString()); });
    } else if (auto* box = qobject_cast<QComboBox*>(widget)) {
        connect(box, &QComboBox::activated, this, [this, id](int index) {
            controls_.activate(id, index);
            show(id);
        });
    }
}

} // namespace krv
