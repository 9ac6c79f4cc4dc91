#pragma once
// Small builders of the controls the main window's panels share: named
// check-box arrays, bold list headers, number boxes with step buttons and
// plain lists.

#include <QCheckBox>
#include <QString>

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

class QHBoxLayout;
class QLabel;
class QLineEdit;
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

void enable(std::initializer_list<QWidget*> controls, bool on);
QLabel* header(const char* text, QWidget* parent);
QToolButton* stepButton(Qt::ArrowType arrow, QWidget* parent);
QLineEdit* numberBox(const char* text, QWidget* parent, int chars = 3);
// A number box between its down and up buttons.
QHBoxLayout* stepper(QToolButton* down, QLineEdit* box, QToolButton* up);
QListWidget* list(QWidget* parent);
// The texts of a list's entries, in order.
std::vector<std::string> entriesOf(const QListWidget* list);

} // namespace krv
