// The controls of the main window and their places. Behaviour is attached
// by the parts that own each control; this file only builds and names them.

#include "launcher/mainwindow/main_form.h"
#include "launcher/mainwindow/twips.h"
#include "launcher/ui/qt_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace krv {

namespace {

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

QLineEdit* numberBox(const char* text, QWidget* parent, int chars = 3) {
    auto* box = new QLineEdit(QString::fromLatin1(text), parent);
    box->setAlignment(Qt::AlignCenter);
    box->setMaxLength(chars);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * (chars + 3));
    return box;
}

// A number box between its down and up buttons.
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

} // namespace

void MainForm::buildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(buildBanner());
    layout->addWidget(buildTabStrip());
    TabPages = new QStackedWidget(this);
    TabPages->addWidget(buildGamesTab());
    TabPages->addWidget(buildOptionsTab());
    TabPages->addWidget(buildGraphicsTab());
    TabPages->addWidget(buildSoundTab());
    TabPages->addWidget(buildModelsTab());
    layout->addWidget(TabPages, 1);
    // "Advanced options" switches the layouts, so it stays reachable in
    // both: beside the view buttons of the Games tab.
    chkMain[2]->setParent(TabFrame[0]);
    static_cast<QBoxLayout*>(gamesGrid_->itemAtPosition(0, 0)->layout())->addWidget(chkMain[2]);
    layout->addWidget(buildLowerPanel());
    layout->addWidget(buildAuxButtons());

    // Lists the routines use as scratch space; never shown.
    StoredFiles = new QListWidget(this);
    BuildList = new QListWidget(this);
    WadCheckList = new QListWidget(this);
    FileOutput = new QLineEdit(this);
    for (QWidget* hidden :
         std::initializer_list<QWidget*>{StoredFiles, BuildList, WadCheckList, FileOutput})
        hidden->hide();
}

QWidget* MainForm::buildBanner() {
    auto* banner = new QFrame(this);
    auto* row = new QHBoxLayout(banner);
    row->setContentsMargins(0, 0, 0, 0);
    TitlePic = new QLabel(banner);
    TitlePic->setAlignment(Qt::AlignCenter);
    TitlePic->setText(qs(state_.startup.windowCaption));
    QFont titleFont = TitlePic->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    TitlePic->setFont(titleFont);
    TitlePic->setFixedHeight(toPixels(900));
    TitlePic->setFrameShape(QFrame::StyledPanel);
    TitlePic->setScaledContents(false);
    row->addWidget(TitlePic, 1);

    auto* links = new QVBoxLayout;
    Home[0] = new QToolButton(banner);
    Home[0]->setText(QStringLiteral("Website"));
    Home[3] = new QToolButton(banner);
    Home[3]->setText(QStringLiteral("Downloads"));
    WineImage = new QLabel(QStringLiteral("Wine"), banner);
    WineImage->setAlignment(Qt::AlignCenter);
    WineImage->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{Home[0], Home[3]}) {
        static_cast<QToolButton*>(w)->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        links->addWidget(w);
    }
    links->addWidget(WineImage);
    row->addLayout(links);
    return banner;
}

QWidget* MainForm::buildTabStrip() {
    auto* strip = new QWidget(this);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    auto* group = new QButtonGroup(strip);
    const char* captions[] = {"Games", "Options", "Graphics", "Sound", "Models"};
    for (int i = 0; i < 5; ++i) {
        OptionTabs[i] = new QPushButton(QString::fromLatin1(captions[i]), strip);
        OptionTabs[i]->setCheckable(true);
        group->addButton(OptionTabs[i], i);
        row->addWidget(OptionTabs[i]);
    }
    OptionTabs[0]->setChecked(true);
    return strip;
}

QWidget* MainForm::buildGamesTab() {
    TabFrame[0] = new QFrame(this);
    auto* grid = new QGridLayout(TabFrame[0]);
    gamesGrid_ = grid;
    grid->setContentsMargins(2, 2, 2, 2);

    auto* views = new QHBoxLayout;
    const char* viewCaptions[] = {"Installed games", "Doom games", "Zip Library"};
    for (int i = 0; i < 3; ++i) {
        OptionUdir[i] = new QRadioButton(QString::fromLatin1(viewCaptions[i]), TabFrame[0]);
        views->addWidget(OptionUdir[i]);
    }
    views->addStretch();
    ImageCM = new QToolButton(TabFrame[0]);
    ImageCM->setText(QStringLiteral("Scripted maps"));
    ImageCM->setCheckable(true);
    ChkCM = new QCheckBox(TabFrame[0]);
    ChkCM->hide();
    chkAutoSelect = new QCheckBox(TabFrame[0]);
    chkAutoSelect->hide();
    views->addWidget(ImageCM);
    grid->addLayout(views, 0, 0, 1, 3);

    Auto[0] = header("INSTALLED GAMES LIST", TabFrame[0]);
    Auto[1] = header("GAME FILES", TabFrame[0]);
    Auto[2] = header("MAPS", TabFrame[0]);
    Auto[3] = header("SAVEGAMES", TabFrame[0]);
    PwadList = list(TabFrame[0]);
    PwadShowlist = list(TabFrame[0]);
    MapList = list(TabFrame[0]);
    SaveGameList = list(TabFrame[0]);
    grid->addWidget(Auto[0], 1, 0);
    grid->addWidget(PwadList, 2, 0, 3, 1);
    grid->addWidget(Auto[1], 1, 1);
    grid->addWidget(PwadShowlist, 2, 1);
    grid->addWidget(Auto[3], 3, 1);
    grid->addWidget(SaveGameList, 4, 1);
    grid->addWidget(Auto[2], 1, 2);
    grid->addWidget(MapList, 2, 2, 3, 1);
    grid->setColumnStretch(0, 5);
    grid->setColumnStretch(1, 4);
    grid->setColumnStretch(2, 2);

    const char* skills[] = {" Start game from New",   "1 - I'm too young to die",
                            "2 - Hey, not too rough", "3 - Hurt me plenty",
                            "4 - Ultra-Violence",     "5 - NIGHTMARE"};
    StartFrame = new QGroupBox(QStringLiteral(" Start "), TabFrame[0]);
    SkillFrame = new QGroupBox(QStringLiteral(" Skill "), TabFrame[0]);
    for (int box = 0; box < 2; ++box) {
        SkillsLevel[box] = new QComboBox(box == 0 ? StartFrame : SkillFrame);
        for (int entry = 0; entry < 6; ++entry) {
            QString text = QString::fromLatin1(skills[entry]);
            if (box == 1 && entry == 0)
                text = text.trimmed(); // the second box drops the leading blank
            SkillsLevel[box]->addItem(text);
        }
    }
    for (int box = 0; box < 2; ++box) {
        auto* frameRow = new QHBoxLayout(box == 0 ? StartFrame : SkillFrame);
        frameRow->setContentsMargins(6, 2, 6, 4);
        frameRow->addWidget(SkillsLevel[box]);
    }
    LaunchButton = new QPushButton(QStringLiteral("Launch"), TabFrame[0]);
    QFont bold = LaunchButton->font();
    bold.setBold(true);
    LaunchButton->setFont(bold);
    LaunchButton->setMinimumHeight(LaunchButton->sizeHint().height() + 8);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(StartFrame, 1);
    bottom->addWidget(SkillFrame, 1);
    bottom->addStretch();
    bottom->addWidget(LaunchButton);
    grid->addLayout(bottom, 5, 0, 1, 3);
    return TabFrame[0];
}

QWidget* MainForm::buildOptionsTab() {
    TabFrame[1] = new QFrame(this);
    auto* grid = new QGridLayout(TabFrame[1]);
    makeChecks(TabFrame[1], chkMain,
               {"Basic Doom", "High resolution textures", "Advanced options", "Light", "No objects",
                "Edit  mode", "No monsters", "Verbose"},
               "chkMain");
    makeChecks(TabFrame[1], chkKRVOpts,
               {"Disable mouse", "Disable joystick", "Allow hi-res relocation",
                "Resurrect corpses with fade", "Spare", "Fast monsters", "No same type in-fighting",
                "No lost soul in-fighting", "Monster respawn"},
               "chkKRVOpts");
    chkKRVOpts[4]->hide(); // a spare entry
    auto* general = new QGroupBox(QStringLiteral(" General "), TabFrame[1]);
    auto* generalColumn = new QVBoxLayout(general);
    for (int i : {0, 1, 6, 7})
        generalColumn->addWidget(chkMain[i]);
    for (int i : {0, 1, 2})
        generalColumn->addWidget(chkKRVOpts[i]);
    generalColumn->addStretch();
    grid->addWidget(general, 0, 0, 2, 1);

    auto* monsters = new QGroupBox(QStringLiteral(" Monsters "), TabFrame[1]);
    auto* monsterColumn = new QVBoxLayout(monsters);
    for (int i : {3, 5, 6, 7, 8})
        monsterColumn->addWidget(chkKRVOpts[i]);
    grid->addWidget(monsters, 0, 1);

    GraphicFrames[3] = new QGroupBox(QStringLiteral(" Corpse Fade "), TabFrame[1]);
    auto* corpse = new QVBoxLayout(GraphicFrames[3]);
    TexLabel[1] = new QLabel(QStringLiteral("Seconds before corpse fade"), GraphicFrames[3]);
    butleft = stepButton(Qt::LeftArrow, GraphicFrames[3]);
    Corpse = numberBox("9", GraphicFrames[3], 1);
    butRight = stepButton(Qt::RightArrow, GraphicFrames[3]);
    corpse->addWidget(TexLabel[1]);
    corpse->addLayout(stepper(butleft, Corpse, butRight));
    grid->addWidget(GraphicFrames[3], 1, 1);

    auto* weapons = new QGroupBox(QStringLiteral(" Weapons "), TabFrame[1]);
    auto* weaponColumn = new QVBoxLayout(weapons);
    ChkGL = new QCheckBox(QStringLiteral("Grenade launcher"), weapons);
    butLeft2 = stepButton(Qt::LeftArrow, weapons);
    Timeout = numberBox("2", weapons, 1);
    butRight2 = stepButton(Qt::RightArrow, weapons);
    weaponColumn->addWidget(ChkGL);
    weaponColumn->addLayout(stepper(butLeft2, Timeout, butRight2));
    weaponColumn->addStretch();
    grid->addWidget(weapons, 0, 2);

    chkTesting = new QCheckBox(QStringLiteral("Development mode"), TabFrame[1]);
    chkTesting->hide(); // shown by a double click on the screen-mode caption
    grid->addWidget(chkTesting, 1, 2, Qt::AlignBottom);
    return TabFrame[1];
}

QWidget* MainForm::buildGraphicsTab() {
    TabFrame[2] = new QFrame(this);
    auto* grid = new QGridLayout(TabFrame[2]);

    GraphicFrames[5] = new QGroupBox(QStringLiteral(" Graphics Options "), TabFrame[2]);
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

    GraphicFrames[4] = new QGroupBox(QStringLiteral(" Lighting Effects "), TabFrame[2]);
    makeChecks(TabFrame[2], chkEffects, {"Dynamic lighting", "Spare", "Splash effects", "Extra FX"},
               "chkEffects");
    auto* lighting = new QVBoxLayout(GraphicFrames[4]);
    chkEffects[0]->setParent(GraphicFrames[4]);
    chkEffects[2]->setParent(GraphicFrames[4]);
    lighting->addWidget(chkEffects[0]);
    lighting->addWidget(chkEffects[2]);
    chkEffects[1]->hide();
    grid->addWidget(GraphicFrames[4], 0, 1);

    GraphicFrames[1] = new QGroupBox(QStringLiteral(" Model Skin Scaling Levels "), TabFrame[2]);
    auto* scaling = new QHBoxLayout(GraphicFrames[1]);
    cbScaler = new QComboBox(GraphicFrames[1]);
    for (const char* level : {"0", "1", "2", "3", "4"})
        cbScaler->addItem(QString::fromLatin1(level));
    TexLabel[0] = new QLabel(GraphicFrames[1]);
    scaling->addWidget(cbScaler);
    scaling->addWidget(TexLabel[0], 1);
    grid->addWidget(GraphicFrames[1], 1, 1);

    auto* smoke = new QGroupBox(QStringLiteral(" Weapon Effects "), TabFrame[2]);
    auto* smokeRow = new QHBoxLayout(smoke);
    GunSmoke = new QCheckBox(QStringLiteral("Gun smoke"), smoke);
    smokeRow->addWidget(GunSmoke);
    auto* smokeGroup = new QButtonGroup(smoke);
    for (int i = 0; i < 2; ++i) {
        Smoke[i] = new QRadioButton(i == 0 ? QStringLiteral("2") : QStringLiteral("1"), smoke);
        smokeGroup->addButton(Smoke[i], i);
        smokeRow->addWidget(Smoke[i]);
    }
    chkEffects[3]->setParent(smoke);
    smokeRow->addWidget(chkEffects[3]);
    smokeRow->addStretch();
    grid->addWidget(smoke, 2, 0, 1, 2);
    return TabFrame[2];
}

QWidget* MainForm::buildSoundTab() {
    TabFrame[3] = new QFrame(this);
    auto* grid = new QGridLayout(TabFrame[3]);
    makeChecks(TabFrame[3], chkSound,
               {"Disable sound", "Disable music", " Enable ricochets", "3DSound", "Auto", "Manual",
                "Hi-Res sound pack ", "Spare", "Spare", "Force Fmod midi",
                "Ignore playlist if custom music"},
               "chkSound");
    chkSound[7]->hide();
    chkSound[8]->hide();
    auto* general = new QGroupBox(QStringLiteral(" Sound Options "), TabFrame[3]);
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

    SoundFrame[1] = new QGroupBox(QStringLiteral(" Music Playlists "), TabFrame[3]);
    auto* music = new QGridLayout(SoundFrame[1]);
    chkSound[4]->setParent(SoundFrame[1]);
    chkSound[5]->setParent(SoundFrame[1]);
    chkSound[10]->setParent(SoundFrame[1]);
    SelectionList = list(SoundFrame[1]);
    const char* musicCaptions[] = {"New", "Open", "Delete"};
    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        butMusic[i] = new QPushButton(QString::fromLatin1(musicCaptions[i]), SoundFrame[1]);
        buttons->addWidget(butMusic[i]);
    }
    auto* modes = new QHBoxLayout;
    modes->addWidget(chkSound[4]);
    modes->addWidget(chkSound[5]);
    modes->addStretch();
    music->addLayout(modes, 0, 0);
    music->addWidget(SelectionList, 1, 0);
    music->addLayout(buttons, 2, 0);
    music->addWidget(chkSound[10], 3, 0);
    grid->addWidget(SoundFrame[1], 0, 1);
    grid->setColumnStretch(1, 1);
    return TabFrame[3];
}

QWidget* MainForm::buildModelsTab() {
    TabFrame[4] = new QFrame(this);
    auto* grid = new QGridLayout(TabFrame[4]);
    FrameModel[0] = new QGroupBox(QStringLiteral(" Model Packs "), TabFrame[4]);
    makeChecks(FrameModel[0], chkAltModels,
               {"Brasken pistol packing zombies", "Quilspack weapons MOD",
                "Quilspack alternative weapons MOD", "Brasken and Quils model replacements"},
               "chkAltModels");
    auto* packs = new QVBoxLayout(FrameModel[0]);
    for (int i : {3, 0, 1, 2})
        packs->addWidget(chkAltModels[i]);
    packs->addStretch();
    grid->addWidget(FrameModel[0], 0, 0);

    FrameModel[1] = new QGroupBox(QStringLiteral(" Model Effects "), TabFrame[4]);
    auto* effects = new QVBoxLayout(FrameModel[1]);
    const char* optionCaptions[] = {nullptr, "No forced models", "FX", "Core Effects"};
    for (int i = 1; i < 4; ++i) {
        ChkModelOpts[i] = new QCheckBox(QString::fromLatin1(optionCaptions[i]), FrameModel[1]);
        effects->addWidget(ChkModelOpts[i]);
    }
    effects->addStretch();
    grid->addWidget(FrameModel[1], 0, 1);

    // Maintenance on the left; beside it the advice shown while the base
    // model pack is missing.
    ModelDelFrame = new QGroupBox(QStringLiteral(" Maintenance "), TabFrame[4]);
    auto* purge = new QGridLayout(ModelDelFrame);
    purge->setVerticalSpacing(2);
    const char* purgeCaptions[] = {"Purge savegames", "Purge nodes", "Model pack cleanup"};
    for (int i = 0; i < 3; ++i) {
        ButPurge[i] = new QPushButton(QString::fromLatin1(purgeCaptions[i]), ModelDelFrame);
        purge->addWidget(ButPurge[i], i < 2 ? 0 : 1, i < 2 ? i : 0, 1, i < 2 ? 1 : 2);
    }
    grid->addWidget(ModelDelFrame, 1, 0);

    ModFrame = new QGroupBox(TabFrame[4]);
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
    return TabFrame[4];
}

QWidget* MainForm::buildLowerPanel() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    lowerGrid_ = grid;

    ChkFrame = new QGroupBox(QStringLiteral(" Launcher Preferences "), panel);
    makeChecks(ChkFrame, chkLaunchPrefs,
               {"Remember last map", "Remember last savegame", "Shortcut creation",
                "Disable tooltip text", "Display wad files only", "Display tip of the day"},
               "chkLaunchPrefs");
    prefsGrid_ = new QGridLayout(ChkFrame);
    prefsGrid_->setContentsMargins(6, 2, 6, 2);
    prefsGrid_->setVerticalSpacing(0);
    for (int i = 0; i < 6; ++i)
        prefsGrid_->addWidget(chkLaunchPrefs[i], i % 2, i / 2);
    grid->addWidget(ChkFrame, 0, 0, 1, 2);

    FrameGlobal[0] = new QGroupBox(QStringLiteral("  Command Line  "), panel);
    auto* global = new QHBoxLayout(FrameGlobal[0]);
    global->setContentsMargins(6, 2, 6, 2);
    SelButton = new QPushButton(QStringLiteral("Switch"), FrameGlobal[0]);
    FrameGlobal[1] = new QGroupBox(FrameGlobal[0]);
    FrameGlobal[1]->setFlat(true);
    FrameGlobal[1]->setStyleSheet(QStringLiteral("QGroupBox { border: none; margin: 0; }"));
    edCustom = new QLineEdit(FrameGlobal[1]);
    edCustom->setPlaceholderText(QStringLiteral("Extra engine parameters"));
    auto* commandRow = new QHBoxLayout(FrameGlobal[1]);
    commandRow->setContentsMargins(0, 0, 0, 0);
    commandRow->addWidget(edCustom);
    FrameGlobal[2] = new QGroupBox(FrameGlobal[0]);
    FrameGlobal[2]->setFlat(true);
    FrameGlobal[2]->setStyleSheet(QStringLiteral("QGroupBox { border: none; margin: 0; }"));
    auto* edit = new QHBoxLayout(FrameGlobal[2]);
    edit->setContentsMargins(0, 0, 0, 0);
    for (int i : {5, 3, 4}) {
        chkMain[i]->setParent(FrameGlobal[2]);
        edit->addWidget(chkMain[i]);
    }
    LightText = numberBox("200", FrameGlobal[2], 3);
    edit->addWidget(LightText);
    FrameGlobal[2]->hide();
    global->addWidget(FrameGlobal[1], 1);
    global->addWidget(FrameGlobal[2], 1);
    global->addWidget(SelButton);
    grid->addWidget(FrameGlobal[0], 1, 0);

    KRVFrame = new QGroupBox(QStringLiteral(" Launch Mode "), panel);
    auto* modes = new QGridLayout(KRVFrame);
    modes->setContentsMargins(6, 2, 6, 2);
    modes->setVerticalSpacing(0);
    const char* captions[] = {"Normal", "Minimised", "Exit"};
    auto* group = new QButtonGroup(KRVFrame);
    for (int i = 0; i < 3; ++i) {
        ExitOption[i] = new QRadioButton(QString::fromLatin1(captions[i]), KRVFrame);
        group->addButton(ExitOption[i], i);
        modes->addWidget(ExitOption[i], 0, i);
    }
    ExitOption[0]->hide(); // a development switch, shown with chkTesting
    // Double-clicking the caption shows the development switches.
    DevMode = new QLabel(QStringLiteral("Screen:"), KRVFrame);
    ResLabel[1] = new QLabel(QStringLiteral("Default Resolution"), KRVFrame);
    ResLabel[2] = new QLabel(KRVFrame);
    ResLabel[3] = new QLabel(KRVFrame);
    auto* screen = new QHBoxLayout;
    screen->setSpacing(6);
    screen->addWidget(DevMode);
    screen->addWidget(ResLabel[1]);
    screen->addWidget(ResLabel[3]);
    screen->addStretch();
    modes->addLayout(screen, 1, 0, 1, 3);
    modes->addWidget(ResLabel[2], 2, 0, 1, 3);
    grid->addWidget(KRVFrame, 1, 1);
    grid->setColumnStretch(0, 1);
    return panel;
}

QWidget* MainForm::buildAuxButtons() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    // Indexed as the buttons' handlers and help texts are: 1 opens the
    // documentation, 5 the IWAD locations.
    const char* captions[] = {"Install", "Docs", "Shortcut",   "Edit log", "Engine log",
                              "Iwads",   "Font", "Zip folder", "Cleanup",  "Textures"};
    for (int i = 0; i < 10; ++i) {
        AuxButton[i] = new QToolButton(bar);
        AuxButton[i]->setText(QString::fromLatin1(captions[i]));
        AuxButton[i]->setToolButtonStyle(Qt::ToolButtonTextOnly);
        row->addWidget(AuxButton[i]);
    }
    row->addStretch();
    return bar;
}

} // namespace krv
