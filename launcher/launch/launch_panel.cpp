#include "launcher/launch/launch_panel.h"

#include "launcher/launch/launch_controls.h"
#include "launcher/options/option_controls.h"
#include "launcher/ui/panel_controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace krv {

using namespace ids;

LaunchPanel::LaunchPanel(Part part, LaunchController& launch, ControlBinder& binder,
                         QWidget* parent)
    : QWidget(parent), launch_(launch), binder_(binder) {
    switch (part) {
    case Part::LaunchButton:
        buildLaunchButton();
        break;
    case Part::CommandLine:
        buildCommandLine();
        break;
    case Part::LaunchMode:
        buildLaunchMode();
        break;
    case Part::Preview:
        buildPreview();
        break;
    }
}

// Continue stands before Launch: the one loads the newest saved game, the
// other what the lists chose.
void LaunchPanel::buildLaunchButton() {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* resume = bound<QPushButton>(binder_, ContinueButton, this);
    resume->setAccessibleName(QStringLiteral("Continue"));
    resume->setMinimumHeight(resume->sizeHint().height() + 8);
    row->addWidget(resume);
    auto* button = bound<QPushButton>(binder_, LaunchButton, this);
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    button->setMinimumHeight(button->sizeHint().height() + 8);
    row->addWidget(button);
}

void LaunchPanel::buildCommandLine() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* frame = bound<QGroupBox>(binder_, FrameGlobal[0], this);
    outer->addWidget(frame);
    auto* global = new QVBoxLayout(frame);
    global->setContentsMargins(6, 2, 6, 2);
    global->setSpacing(2);
    QGroupBox* panel[3] = {frame};
    for (int i : {1, 2}) {
        panel[i] = bound<QGroupBox>(binder_, FrameGlobal[i], frame);
        panel[i]->setFlat(true);
        panel[i]->setStyleSheet(QStringLiteral("QGroupBox { border: none; margin: 0; }"));
    }
    auto* custom = bound<QLineEdit>(binder_, edCustom, panel[1]);
    custom->setPlaceholderText(QStringLiteral("Extra engine parameters"));
    auto* commandRow = new QHBoxLayout(panel[1]);
    commandRow->setContentsMargins(0, 0, 0, 0);
    commandRow->addWidget(custom);
    // The engine's edit mode: its boxes, then the light level.
    auto* editRow = new QHBoxLayout(panel[2]);
    editRow->setContentsMargins(0, 0, 0, 0);
    for (int i : {5, 3, 4})
        editRow->addWidget(bound<QCheckBox>(binder_, chkMain[i], panel[2]));
    editRow->addWidget(boundNumberBox(binder_, LightText, panel[2], 3));
    auto* panels = new QHBoxLayout;
    panels->addWidget(panel[1], 1);
    panels->addWidget(panel[2], 1);
    panels->addWidget(bound<QPushButton>(binder_, SelButton, frame));
    global->addLayout(panels);
    // The row the skill box joins in the advanced layout.
    skillRow_ = new QHBoxLayout;
    skillRow_->addWidget(bound<QLabel>(binder_, SkillCaption, frame));
    skillRow_->addStretch();
    global->addLayout(skillRow_);
}

void LaunchPanel::holdSkillBox(QWidget* box) {
    if (skillRow_->indexOf(box) < 0)
        skillRow_->insertWidget(1, box);
    showMoved(box);
}

void LaunchPanel::buildLaunchMode() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* frame = bound<QGroupBox>(binder_, KRVFrame, this);
    outer->addWidget(frame);
    auto* modes = new QGridLayout(frame);
    modes->setContentsMargins(6, 2, 6, 2);
    modes->setVerticalSpacing(0);
    auto* group = new QButtonGroup(frame);
    for (int i = 0; i < 3; ++i) {
        auto* mode = bound<QRadioButton>(binder_, ExitOption[i], frame);
        group->addButton(mode, i);
        modes->addWidget(mode, 0, i);
    }
    // Double-clicking the caption shows the development switches.
    auto* caption = bound<QLabel>(binder_, DevMode, frame);
    caption->installEventFilter(this);
    auto* screen = new QHBoxLayout;
    screen->setSpacing(6);
    screen->addWidget(caption);
    screen->addWidget(bound<QLabel>(binder_, ResLabel[1], frame));
    screen->addWidget(bound<QLabel>(binder_, ResLabel[3], frame));
    screen->addStretch();
    modes->addLayout(screen, 1, 0, 1, 3);
    modes->addWidget(bound<QLabel>(binder_, ResLabel[2], frame), 2, 0, 1, 3);
}

bool LaunchPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        emit developmentSwitchesAsked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void LaunchPanel::buildPreview() {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 0, 2, 0);
    previewLine_ = new QLineEdit(this);
    previewLine_->setObjectName(QStringLiteral("PreviewLine"));
    previewLine_->setReadOnly(true);
    previewLine_->setAccessibleName(QStringLiteral("Command line preview"));
    auto* copy = new QPushButton(QStringLiteral("Copy"), this);
    copy->setObjectName(QStringLiteral("CopyCommand"));
    copy->setAccessibleName(QStringLiteral("Copy the command line"));
    row->addWidget(previewLine_, 1);
    row->addWidget(copy);
    connect(copy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(previewLine_->text()); });
}

void LaunchPanel::schedulePreview() {
    if (previewPending_ || !previewLine_)
        return;
    previewPending_ = true;
    QTimer::singleShot(0, this, [this] {
        previewPending_ = false;
        updatePreview();
    });
}

void LaunchPanel::updatePreview() {
    previewLine_->setText(QString::fromStdString(launch_.previewText()));
    previewLine_->setCursorPosition(0);
}

} // namespace krv
