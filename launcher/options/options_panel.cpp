#include "launcher/options/options_panel.h"

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

OptionsPanel::OptionsPanel(AppState& state, Platform& platform, QWidget* window)
    : QObject(window), state_(state), platform_(platform), window_(window) {
    buildOptionsTab();
    buildGraphicsTab();
    buildSoundTab();
    buildModelsTab();
    connectControls();
}

void OptionsPanel::placePlaylistFrame(QWidget* frame) {
    soundGrid_->addWidget(frame, 0, 1);
    soundGrid_->setColumnStretch(1, 1);
}

void OptionsPanel::buildOptionsTab() {
    optionsTab = new QFrame(window_);
    auto* grid = new QGridLayout(optionsTab);
    makeChecks(optionsTab, chkMain,
               {"Basic Doom", "High resolution textures", "Advanced options", "Light", "No objects",
                "Edit  mode", "No monsters", "Verbose"},
               "chkMain");
    makeChecks(optionsTab, chkKRVOpts,
               {"Disable mouse", "Disable joystick", "Allow hi-res relocation",
                "Resurrect corpses with fade", "Spare", "Fast monsters", "No same type in-fighting",
                "No lost soul in-fighting", "Monster respawn"},
               "chkKRVOpts");
    chkKRVOpts[4]->hide(); // a spare entry
    auto* general = new QGroupBox(QStringLiteral(" General "), optionsTab);
    auto* generalColumn = new QVBoxLayout(general);
    for (int i : {0, 1, 6, 7})
        generalColumn->addWidget(chkMain[i]);
    for (int i : {0, 1, 2})
        generalColumn->addWidget(chkKRVOpts[i]);
    generalColumn->addStretch();
    grid->addWidget(general, 0, 0, 2, 1);

    auto* monsters = new QGroupBox(QStringLiteral(" Monsters "), optionsTab);
    auto* monsterColumn = new QVBoxLayout(monsters);
    for (int i : {3, 5, 6, 7, 8})
        monsterColumn->addWidget(chkKRVOpts[i]);
    grid->addWidget(monsters, 0, 1);

    GraphicFrames[3] = new QGroupBox(QStringLiteral(" Corpse Fade "), optionsTab);
    auto* corpse = new QVBoxLayout(GraphicFrames[3]);
    TexLabel[1] = new QLabel(QStringLiteral("Seconds before corpse fade"), GraphicFrames[3]);
    butleft = stepButton(Qt::LeftArrow, GraphicFrames[3]);
    Corpse = numberBox("9", GraphicFrames[3], 1);
    butRight = stepButton(Qt::RightArrow, GraphicFrames[3]);
    corpse->addWidget(TexLabel[1]);
    corpse->addLayout(stepper(butleft, Corpse, butRight));
    grid->addWidget(GraphicFrames[3], 1, 1);

    auto* weapons = new QGroupBox(QStringLiteral(" Weapons "), optionsTab);
    auto* weaponColumn = new QVBoxLayout(weapons);
    ChkGL = new QCheckBox(QStringLiteral("Grenade launcher"), weapons);
    butLeft2 = stepButton(Qt::LeftArrow, weapons);
    Timeout = numberBox("2", weapons, 1);
    butRight2 = stepButton(Qt::RightArrow, weapons);
    weaponColumn->addWidget(ChkGL);
    weaponColumn->addLayout(stepper(butLeft2, Timeout, butRight2));
    weaponColumn->addStretch();
    grid->addWidget(weapons, 0, 2);

    chkTesting = new QCheckBox(QStringLiteral("Development mode"), optionsTab);
    chkTesting->hide(); // shown by a double click on the screen-mode caption
    grid->addWidget(chkTesting, 1, 2, Qt::AlignBottom);
}

void OptionsPanel::buildGraphicsTab() {
    graphicsTab = new QFrame(window_);
    auto* grid = new QGridLayout(graphicsTab);

    GraphicFrames[5] = new QGroupBox(QStringLiteral(" Graphics Options "), graphicsTab);
    makeChecks(GraphicFrames[5], chkGraphics,
               {"Spare", "Spare", "Detail textures", "Skyboxes", "High resolution patches"},
               "chkGraphics");
    auto* graphics = new QVBoxLayout(GraphicFrames[5]);
    chkGraphics[0]->hide();
    chkGraphics[1]->hide();
    for (int i : {2, 4, 3})
        graphics->addWidget(chkGraphics[i]);
    auto* sky = new QHBoxLayout;
    sky->addSpacing(20);
    sky->addWidget(new QLabel(QStringLiteral("Sky layers:"), GraphicFrames[5]));
    auto* skyGroup = new QButtonGroup(GraphicFrames[5]);
    for (int i = 0; i < 2; ++i) {
        SkyOpt[i] =
            new QRadioButton(i == 0 ? QStringLiteral("2") : QStringLiteral("1"), GraphicFrames[5]);
        skyGroup->addButton(SkyOpt[i], i);
        sky->addWidget(SkyOpt[i]);
    }
    sky->addStretch();
    graphics->addLayout(sky);
    graphics->addStretch();
    TexPathLabel = new QLabel(QStringLiteral("Hi-res location"), GraphicFrames[5]);
    TexPathLabel->hide();
    graphics->addWidget(TexPathLabel);
    grid->addWidget(GraphicFrames[5], 0, 0, 2, 1);

    GraphicFrames[4] = new QGroupBox(QStringLiteral(" Lighting Effects "), graphicsTab);
    makeChecks(graphicsTab, chkEffects, {"Dynamic lighting", "Spare", "Splash effects", "Extra FX"},
               "chkEffects");
    auto* lighting = new QVBoxLayout(GraphicFrames[4]);
    chkEffects[0]->setParent(GraphicFrames[4]);
    chkEffects[2]->setParent(GraphicFrames[4]);
    lighting->addWidget(chkEffects[0]);
    lighting->addWidget(chkEffects[2]);
    chkEffects[1]->hide();
    grid->addWidget(GraphicFrames[4], 0, 1);

    GraphicFrames[1] = new QGroupBox(QStringLiteral(" Model Skin Scaling Levels "), graphicsTab);
    auto* scaling = new QHBoxLayout(GraphicFrames[1]);
    cbScaler = new QComboBox(GraphicFrames[1]);
    for (const char* level : {"0", "1", "2", "3", "4"})
        cbScaler->addItem(QString::fromLatin1(level));
    TexLabel[0] = new QLabel(GraphicFrames[1]);
    scaling->addWidget(cbScaler);
    scaling->addWidget(TexLabel[0], 1);
    grid->addWidget(GraphicFrames[1], 1, 1);

    // The model effects frame: the gun smoke of the model packs' weapons.
    FrameModel[1] = new QGroupBox(QStringLiteral(" Model Effects "), graphicsTab);
    auto* smokeRow = new QHBoxLayout(FrameModel[1]);
    GunSmoke = new QCheckBox(QStringLiteral("Gun smoke"), FrameModel[1]);
    smokeRow->addWidget(GunSmoke);
    auto* smokeGroup = new QButtonGroup(FrameModel[1]);
    for (int i = 0; i < 2; ++i) {
        Smoke[i] =
            new QRadioButton(i == 0 ? QStringLiteral("2") : QStringLiteral("1"), FrameModel[1]);
        smokeGroup->addButton(Smoke[i], i);
        smokeRow->addWidget(Smoke[i]);
    }
    smokeRow->addStretch();
    grid->addWidget(FrameModel[1], 2, 0);

    auto* extra = new QGroupBox(QStringLiteral(" Extra Effects "), graphicsTab);
    auto* extraRow = new QHBoxLayout(extra);
    chkEffects[3]->setParent(extra);
    extraRow->addWidget(chkEffects[3]);
    extraRow->addStretch();
    grid->addWidget(extra, 2, 1);
}

void OptionsPanel::buildSoundTab() {
    soundTab = new QFrame(window_);
    auto* grid = new QGridLayout(soundTab);
    makeChecks(soundTab, chkSound,
               {"Disable sound", "Disable music", " Enable ricochets", "3DSound", "Auto", "Manual",
                "Hi-Res sound pack ", "Spare", "Spare", "Force Fmod midi",
                "Ignore playlist if custom music"},
               "chkSound");
    chkSound[7]->hide();
    chkSound[8]->hide();
    auto* general = new QGroupBox(QStringLiteral(" Sound Options "), soundTab);
    auto* column = new QVBoxLayout(general);
    for (int i : {0, 1, 3, 6, 9})
        column->addWidget(chkSound[i]);
    auto* rico = new QHBoxLayout;
    rico->addWidget(chkSound[2]);
    RicoButton[0] = stepButton(Qt::LeftArrow, general);
    Ricotext = numberBox("4", general, 1);
    RicoButton[1] = stepButton(Qt::RightArrow, general);
    rico->addLayout(stepper(RicoButton[0], Ricotext, RicoButton[1]));
    column->addLayout(rico);
    auto* channels = new QHBoxLayout;
    ChannelsLabel = new QLabel(QStringLiteral("Audio channels"), general);
    cbChannels = new QComboBox(general);
    cbChannels->addItems({QStringLiteral("64"), QStringLiteral("128")});
    channels->addWidget(ChannelsLabel);
    channels->addWidget(cbChannels);
    channels->addStretch();
    column->addLayout(channels);
    column->addStretch();
    grid->addWidget(general, 0, 0);

    soundGrid_ = grid;
}

void OptionsPanel::buildModelsTab() {
    modelsTab = new QFrame(window_);
    auto* grid = new QGridLayout(modelsTab);
    FrameModel[0] = new QGroupBox(QStringLiteral(" Model Packs "), modelsTab);
    makeChecks(FrameModel[0], chkAltModels,
               {"Brasken pistol packing zombies", "Quilspack weapons MOD",
                "Quilspack alternative weapons MOD", "Brasken and Quils model replacements"},
               "chkAltModels");
    auto* packs = new QVBoxLayout(FrameModel[0]);
    for (int i : {3, 0, 1, 2})
        packs->addWidget(chkAltModels[i]);
    packs->addStretch();
    grid->addWidget(FrameModel[0], 0, 0);

    // The model options work without the base pack too.
    ModelOptsFrame = new QGroupBox(QStringLiteral(" Model Options "), modelsTab);
    auto* options = new QVBoxLayout(ModelOptsFrame);
    const char* optionCaptions[] = {nullptr, "No forced models", "FX", "Core Effects"};
    for (int i = 1; i < 4; ++i) {
        ChkModelOpts[i] = new QCheckBox(QString::fromLatin1(optionCaptions[i]), ModelOptsFrame);
        options->addWidget(ChkModelOpts[i]);
    }
    options->addStretch();
    grid->addWidget(ModelOptsFrame, 0, 1);

    // Maintenance on the left; beside it the advice shown while the base
    // model pack is missing.
    ModelDelFrame = new QGroupBox(QStringLiteral(" Maintenance "), modelsTab);
    auto* purge = new QGridLayout(ModelDelFrame);
    purge->setVerticalSpacing(2);
    const char* purgeCaptions[] = {"Purge savegames", "Purge nodes", "Model pack cleanup"};
    for (int i = 0; i < 3; ++i) {
        ButPurge[i] = new QPushButton(QString::fromLatin1(purgeCaptions[i]), ModelDelFrame);
        purge->addWidget(ButPurge[i], i < 2 ? 0 : 1, i < 2 ? i : 0, 1, i < 2 ? 1 : 2);
    }
    grid->addWidget(ModelDelFrame, 1, 0);

    ModFrame = new QGroupBox(modelsTab);
    auto* advice = new QVBoxLayout(ModFrame);
    advice->setSpacing(0);
    advice->setContentsMargins(6, 4, 6, 4);
    const char* adviceTexts[] = {"Vuziduza35 requires the new v3 model packs",
                                 "these can be obtained from the Website",
                                 "Use the cleanup tool prior to installation"};
    for (int i = 0; i < 3; ++i) {
        ModLabel[i] = new QLabel(QString::fromLatin1(adviceTexts[i]), ModFrame);
        ModLabel[i]->setAlignment(Qt::AlignCenter);
        advice->addWidget(ModLabel[i]);
    }
    ModFrame->hide();
    grid->addWidget(ModFrame, 1, 1);
}

} // namespace krv
