#include "launcher/ui/panel_controls.h"

#include "common/numbers.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPainter>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace krv {

void enable(std::initializer_list<QWidget*> controls, bool on) {
    for (QWidget* control : controls)
        control->setEnabled(on);
}

void showMoved(QWidget* control) {
    if (control->parentWidget()->isVisible())
        control->show();
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

// The cross is drawn here rather than taken from the icon theme, as the line
// edit's own clear button does: the theme's first lookup searches its folders
// and costs the window's start more than all its other controls together.
static QIcon clearIcon(const QWidget* edit) {
    const qreal ratio = edit->devicePixelRatioF();
    const int side = edit->fontMetrics().height() * 3 / 4;
    QPixmap pixmap(QSize(side, side) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(edit->palette().color(QPalette::PlaceholderText));
    painter.drawEllipse(QRectF(0, 0, side, side));
    painter.setPen(
        QPen(edit->palette().color(QPalette::Base), side / 8.0, Qt::SolidLine, Qt::RoundCap));
    const qreal in = side * 0.32;
    painter.drawLine(QPointF(in, in), QPointF(side - in, side - in));
    painter.drawLine(QPointF(side - in, in), QPointF(in, side - in));
    return QIcon(pixmap);
}

void addClearButton(QLineEdit* edit) {
    QAction* clear = edit->addAction(clearIcon(edit), QLineEdit::TrailingPosition);
    clear->setObjectName(QStringLiteral("clearButton"));
    clear->setText(QStringLiteral("Clear"));
    clear->setVisible(false);
    QObject::connect(edit, &QLineEdit::textChanged, clear,
                     [clear](const QString& text) { clear->setVisible(!text.isEmpty()); });
    QObject::connect(clear, &QAction::triggered, edit, [edit] {
        edit->clear();
        emit edit->textEdited(QString());
    });
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
