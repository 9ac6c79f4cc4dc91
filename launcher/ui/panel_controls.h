#pragma once
// Small builders of the controls the main window's panels share: named
// check-box arrays, bold list headers, number boxes with step buttons and
// plain lists; and the readers and writers that carry settings into such
// controls and back.

#include "launcher/ui/control_binder.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QString>

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QToolButton;
class QWidget;

namespace krv {

// One check box per caption, each named "<name>_<index>".
template <std::size_t N>
void makeChecks(QWidget* parent, std::array<QCheckBox*, N>& boxes,
                std::initializer_list<const char*> captions, const char* name) {
    std::size_t i = 0;
    for (const char* caption : captions) {
        boxes[i] = new QCheckBox(QString::fromLatin1(caption), parent);
        boxes[i]->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
        ++i;
    }
}

// A widget shown from the state of control `id`.
template <class Widget> Widget* bound(ControlBinder& binder, ControlId id, QWidget* parent) {
    auto* widget = new Widget(parent);
    binder.bind(id, widget);
    return widget;
}
// A number box and a step button, shown from their controls' states.
QLineEdit* boundNumberBox(ControlBinder& binder, ControlId id, QWidget* parent, int chars);
QToolButton* boundStepButton(ControlBinder& binder, ControlId id, Qt::ArrowType arrow,
                             QWidget* parent);
// The entries of a check box array, from `first` to `last`.
void boundChecks(ControlBinder& binder, ControlArray boxes, int first, int last, QWidget* parent);

// A list view shown from control `id`, of entries the player only chooses.
QListView* boundListView(ControlBinder& binder, ControlId id, QWidget* parent);
// A bold list header shown from control `id`. A header of the top row is as
// tall as the games list's header with its filter box, so that the headers
// stand in one row.
QLabel* boundHeader(ControlBinder& binder, ControlId id, QWidget* parent, bool topRow = true);

// A button at the end of `edit` that empties it, shown while it holds text;
// clearing reports an edit, as typing would.
void addClearButton(QLineEdit* edit);

void enable(std::initializer_list<QWidget*> controls, bool on);
// Shows a control that a layout has just taken from another parent (the move
// hides it). While its new parent is not on screen the control shows with
// it; showing it now would lay out its part of a window not yet shown.
void showMoved(QWidget* control);
QLabel* header(const char* text, QWidget* parent);
QToolButton* stepButton(Qt::ArrowType arrow, QWidget* parent);
QLineEdit* numberBox(const char* text, QWidget* parent, int chars = 3);
// A number box between its down and up buttons.
QHBoxLayout* stepper(QToolButton* down, QLineEdit* box, QToolButton* up);
QListWidget* list(QWidget* parent);
// The texts of a list's entries, in order.
std::vector<std::string> entriesOf(const QListWidget* list);

// The number a text box holds, read the way the settings file is: blanks
// around it allowed, a fraction dropped toward minus infinity; a box that
// holds no number gives 0.
int numberOf(const QString& text);
// Shows `value` in a list of numbers, adding it when the list lacks it.
void showNumber(QComboBox* box, int value);

// Checks the button of a stored index; an index out of range checks none.
template <std::size_t N> void checkOnly(const std::array<QRadioButton*, N>& buttons, int index) {
    if (index >= 0 && index < static_cast<int>(N))
        buttons[static_cast<std::size_t>(index)]->setChecked(true);
}

// The index of the checked button; `keep` while none is checked.
template <std::size_t N> int checkedIndex(const std::array<QRadioButton*, N>& buttons, int keep) {
    for (std::size_t i = 0; i < N; ++i)
        if (buttons[i]->isChecked())
            return static_cast<int>(i);
    return keep;
}

} // namespace krv
