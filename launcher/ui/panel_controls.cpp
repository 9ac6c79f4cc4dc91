#include "launcher/ui/panel_controls.h"

#include "common/numbers.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace krv {

void enable(std::initializer_list<QWidget*> controls, bool on) {
    for (QWidget* control : controls)
        control->setEnabled(on);
}

QLabel* header(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

QToolButton* stepButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setAutoRepeat(true);
    return b;
}

QLineEdit* numberBox(const char* text, QWidget* parent, int chars) {
    auto* box = new QLineEdit(QString::fromLatin1(text), parent);
    box->setAlignment(Qt::AlignCenter);
    box->setMaxLength(chars);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * (chars + 3));
    return box;
}

QLineEdit* boundNumberBox(ControlBinder& binder, ControlId id, QWidget* parent, int chars) {
    QLineEdit* box = numberBox("", parent, chars);
    binder.bind(id, box);
    return box;
}

QToolButton* boundStepButton(ControlBinder& binder, ControlId id, Qt::ArrowType arrow,
                             QWidget* parent) {
    QToolButton* button = stepButton(arrow, parent);
    binder.bind(id, button);
    return button;
}

void boundChecks(ControlBinder& binder, ControlArray boxes, int first, int last, QWidget* parent) {
    for (int i = first; i <= last; ++i)
        bound<QCheckBox>(binder, boxes[i], parent);
}

QListView* boundListView(ControlBinder& binder, ControlId id, QWidget* parent) {
    auto* view = bound<QListView>(binder, id, parent);
    view->setUniformItemSizes(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return view;
}

QLabel* boundHeader(ControlBinder& binder, ControlId id, QWidget* parent, bool topRow) {
    auto* label = bound<QLabel>(binder, id, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    if (topRow)
        label->setMinimumHeight(QLineEdit().sizeHint().height());
    return label;
}

QHBoxLayout* stepper(QToolButton* down, QLineEdit* box, QToolButton* up) {
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    row->addWidget(down);
    row->addWidget(box);
    row->addWidget(up);
    row->addStretch();
    return row;
}

QListWidget* list(QWidget* parent) {
    auto* l = new QListWidget(parent);
    l->setUniformItemSizes(true);
    return l;
}

std::vector<std::string> entriesOf(const QListWidget* list) {
    std::vector<std::string> entries;
    for (int i = 0; i < list->count(); ++i)
        entries.push_back(list->item(i)->text().toStdString());
    return entries;
}

int numberOf(const QString& text) {
    return numberInText(text.toStdString());
}

void showNumber(QComboBox* box, int value) {
    const QString text = QString::number(value);
    int index = box->findText(text);
    if (index < 0) {
        box->addItem(text);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

} // namespace krv
