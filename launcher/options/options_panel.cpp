#include "launcher/options/options_panel.h"

#include "launcher/options/option_controls.h"
#include "launcher/ui/panel_controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace krv {

using namespace ids;

namespace {

// An unnamed frame that only groups controls on the page.
QGroupBox* group(const char* caption, QWidget* parent) {
    return new QGroupBox(QString::fromLatin1(caption), parent);
}

// Radio buttons of one group, added to `row`.
void radioGroup(ControlBinder& binder, ControlArray buttons, QWidget* frame, QBoxLayout* row) {
    auto* group = new QButtonGroup(frame);
    for (int i = 0; i < 2; ++i) {
        auto* button = bound<QRadioButton>(binder, buttons[i], frame);
        group->addButton(button, i);
        row->addWidget(button);
    }
}

} // namespace

OptionsPanel::OptionsPanel(Page page, ControlBinder& binder, QWidget* parent)
    : QWidget(parent), binder_(binder), grid_(new QGridLayout(this)) {
    grid_->setContentsMargins(2, 2, 2, 2);
    switch (page) {
    case Page::Options:
        buildOptionsPage();
        break;
    case Page::Graphics:
        buildGraphicsPage();
        break;
    case Page::Sound:
        buildSoundPage();
        break;
    case Page::Models:
        buildModelsPage();
        break;
    }
}

void OptionsPanel::placeBeside(QWidget* panel) {
    grid_->addWidget(panel, 0, 1);
    grid_->setColumnStretch(1, 1);
}

void OptionsPanel::buildOptionsPage() {
    // "Advanced options" stands beside the games list's views and the edit
    // boxes in the launch panel; the others are on this page.
    for (int i : {0, 1, 6, 7})
        bound<QCheckBox>(binder_, chkMain[i], this);
    boundChecks(binder_, chkKRVOpts, 0, 8, this);
    auto* general = group(" General ", this);
    auto* generalColumn = new QVBoxLayout(general);
    for (int i : {0, 1, 6, 7})
        generalColumn->addWidget(binder_.widget(chkMain[i]));
    for (int i : {0, 1, 2})
        generalColumn->addWidget(binder_.widget(chkKRVOpts[i]));
    generalColumn->addStretch();
    grid_->addWidget(general, 0, 0, 2, 1);

    auto* monsters = group(" Monsters ", this);
    auto* monsterColumn = new QVBoxLayout(monsters);
    for (int i : {3, 5, 6, 7, 8})
        monsterColumn->addWidget(binder_.widget(chkKRVOpts[i]));
    grid_->addWidget(monsters, 0, 1);

    auto* corpseFrame = bound<QGroupBox>(binder_, GraphicFrames[3], this);
    auto* corpse = new QVBoxLayout(corpseFrame);
    corpse->addWidget(bound<QLabel>(binder_, TexLabel[1], corpseFrame));
    QToolButton* less = boundStepButton(binder_, butleft, Qt::LeftArrow, corpseFrame);
    QLineEdit* seconds = boundNumberBox(binder_, Corpse, corpseFrame, 1);
    QToolButton* more = boundStepButton(binder_, butRight, Qt::RightArrow, corpseFrame);
    corpse->addLayout(stepper(less, seconds, more));
    grid_->addWidget(corpseFrame, 1, 1);

    auto* weapons = group(" Weapons ", this);
    auto* weaponColumn = new QVBoxLayout(weapons);
    weaponColumn->addWidget(bound<QCheckBox>(binder_, ChkGL, weapons));
    QToolButton* shorter = boundStepButton(binder_, butLeft2, Qt::LeftArrow, weapons);
    QLineEdit* delay = boundNumberBox(binder_, Timeout, weapons, 1);
    QToolButton* longer = boundStepButton(binder_, butRight2, Qt::RightArrow, weapons);
    weaponColumn->addLayout(stepper(shorter, delay, longer));
    weaponColumn->addStretch();
    grid_->addWidget(weapons, 0, 2);

    // Shown by a double click on the screen-mode caption.
    grid_->addWidget(bound<QCheckBox>(binder_, chkTesting, this), 1, 2, Qt::AlignBottom);
}

void OptionsPanel::buildGraphicsPage() {
    auto* options = bound<QGroupBox>(binder_, GraphicFrames[5], this);
    boundChecks(binder_, chkGraphics, 0, 4, options);
    auto* graphics = new QVBoxLayout(options);
    for (int i : {2, 4, 3})
        graphics->addWidget(binder_.widget(chkGraphics[i]));
    auto* sky = new QHBoxLayout;
    sky->addSpacing(20);
    sky->addWidget(new QLabel(QStringLiteral("Sky layers:"), options));
    radioGroup(binder_, SkyOpt, options, sky);
    sky->addStretch();
    graphics->addLayout(sky);
    graphics->addStretch();
    graphics->addWidget(bound<QLabel>(binder_, TexPathLabel, options));
    grid_->addWidget(options, 0, 0, 2, 1);

    auto* lighting = bound<QGroupBox>(binder_, GraphicFrames[4], this);
    auto* lightingColumn = new QVBoxLayout(lighting);
    lightingColumn->addWidget(bound<QCheckBox>(binder_, chkEffects[0], lighting));
    lightingColumn->addWidget(bound<QCheckBox>(binder_, chkEffects[2], lighting));
    bound<QCheckBox>(binder_, chkEffects[1], this);
    grid_->addWidget(lighting, 0, 1);

    auto* scalingFrame = bound<QGroupBox>(binder_, GraphicFrames[1], this);
    auto* scaling = new QHBoxLayout(scalingFrame);
    scaling->addWidget(bound<QComboBox>(binder_, cbScaler, scalingFrame));
    scaling->addWidget(bound<QLabel>(binder_, TexLabel[0], scalingFrame), 1);
    grid_->addWidget(scalingFrame, 1, 1);

    // The model effects frame: the gun smoke of the model packs' weapons.
    auto* effects = bound<QGroupBox>(binder_, FrameModel[1], this);
    auto* smokeRow = new QHBoxLayout(effects);
    smokeRow->addWidget(bound<QCheckBox>(binder_, GunSmoke, effects));
    radioGroup(binder_, Smoke, effects, smokeRow);
    smokeRow->addStretch();
    grid_->addWidget(effects, 2, 0);

    auto* extra = group(" Extra Effects ", this);
    auto* extraRow = new QHBoxLayout(extra);
    extraRow->addWidget(bound<QCheckBox>(binder_, chkEffects[3], extra));
    extraRow->addStretch();
    grid_->addWidget(extra, 2, 1);
}

void OptionsPanel::buildSoundPage() {
    // "Auto", "Manual" and the custom-music box belong to the playlists'
    // panel placed beside.
    auto* general = group(" Sound Options ", this);
    auto* column = new QVBoxLayout(general);
    for (int i : {0, 1, 3, 6, 9})
        column->addWidget(bound<QCheckBox>(binder_, chkSound[i], general));
    for (int i : {7, 8})
        bound<QCheckBox>(binder_, chkSound[i], this);
    auto* rico = new QHBoxLayout;
    rico->addWidget(bound<QCheckBox>(binder_, chkSound[2], general));
    QToolButton* rarer = boundStepButton(binder_, RicoButton[0], Qt::LeftArrow, general);
    QLineEdit* interval = boundNumberBox(binder_, Ricotext, general, 1);
    QToolButton* oftener = boundStepButton(binder_, RicoButton[1], Qt::RightArrow, general);
    rico->addLayout(stepper(rarer, interval, oftener));
    column->addLayout(rico);
    auto* channels = new QHBoxLayout;
    channels->addWidget(bound<QLabel>(binder_, ChannelsLabel, general));
    channels->addWidget(bound<QComboBox>(binder_, cbChannels, general));
    channels->addStretch();
    column->addLayout(channels);
    column->addStretch();
    grid_->addWidget(general, 0, 0);
}

void OptionsPanel::buildModelsPage() {
    auto* packsFrame = bound<QGroupBox>(binder_, FrameModel[0], this);
    boundChecks(binder_, chkAltModels, 0, 3, packsFrame);
    auto* packs = new QVBoxLayout(packsFrame);
    for (int i : {3, 0, 1, 2})
        packs->addWidget(binder_.widget(chkAltModels[i]));
    packs->addStretch();
    grid_->addWidget(packsFrame, 0, 0);

    auto* optionsFrame = bound<QGroupBox>(binder_, ModelOptsFrame, this);
    auto* options = new QVBoxLayout(optionsFrame);
    for (int i = 1; i < 4; ++i)
        options->addWidget(bound<QCheckBox>(binder_, ChkModelOpts[i], optionsFrame));
    options->addStretch();
    grid_->addWidget(optionsFrame, 0, 1);

    // Maintenance on the left; beside it the advice shown while the base
    // model pack is missing.
    auto* maintenance = bound<QGroupBox>(binder_, ModelDelFrame, this);
    auto* purge = new QGridLayout(maintenance);
    purge->setVerticalSpacing(2);
    for (int i = 0; i < 3; ++i)
        purge->addWidget(bound<QPushButton>(binder_, ButPurge[i], maintenance), i < 2 ? 0 : 1,
                         i < 2 ? i : 0, 1, i < 2 ? 1 : 2);
    connect(static_cast<QPushButton*>(binder_.widget(ButPurge[2])), &QPushButton::clicked, this,
            &OptionsPanel::cleanupRequested);
    grid_->addWidget(maintenance, 1, 0);

    auto* adviceFrame = bound<QGroupBox>(binder_, ModFrame, this);
    auto* advice = new QVBoxLayout(adviceFrame);
    advice->setSpacing(0);
    advice->setContentsMargins(6, 4, 6, 4);
    for (int i = 0; i < 3; ++i) {
        auto* line = bound<QLabel>(binder_, ModLabel[i], adviceFrame);
        line->setAlignment(Qt::AlignCenter);
        advice->addWidget(line);
    }
    grid_->addWidget(adviceFrame, 1, 1);
}

} // namespace krv
