// The option tabs: the number boxes with their step buttons, the rules that
// make options available only together with the options they depend on,
// the sound and music boxes, and the tab strip.

#include "launcher/mainwindow/main_form.h"

#include "common/ci_path.h"
#include "launcher/library/scripted_maps.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QToolButton>

namespace krv {

namespace {

// A number box stepped by its buttons within [low, high]; a box that holds
// less than its lowest value starts from there.
int stepNumber(QLineEdit* box, int step, int low, int high) {
    bool ok = false;
    int value = box->text().trimmed().toInt(&ok);
    if (!ok || value < low)
        value = low;
    value = std::clamp(value + step, low, high);
    box->setText(QString::number(value));
    return value;
}

void enable(std::initializer_list<QWidget*> controls, bool on) {
    for (QWidget* control : controls)
        control->setEnabled(on);
}

} // namespace

void MainForm::connectOptions() {
    connect(butRight, &QToolButton::clicked, this, [this] { stepCorpseFade(+1); });
    connect(butleft, &QToolButton::clicked, this, [this] { stepCorpseFade(-1); });
    connect(butRight2, &QToolButton::clicked, this, [this] { stepGrenadeDelay(+1); });
    connect(butLeft2, &QToolButton::clicked, this, [this] { stepGrenadeDelay(-1); });
    connect(RicoButton[1], &QToolButton::clicked, this, [this] {
        state_.settings.ricochetValue = stepNumber(Ricotext, +1, 1, 9);
        state_.launch.ricochetChanged = true;
    });
    connect(RicoButton[0], &QToolButton::clicked, this, [this] {
        state_.settings.ricochetValue = stepNumber(Ricotext, -1, 1, 9);
        state_.launch.ricochetChanged = true;
    });
    connect(chkMain[1], &QCheckBox::toggled, this, [this](bool on) {
        chkGraphics[2]->setEnabled(!on && state_.content.detailTexturesAvailable);
    });
    connect(chkMain[5], &QCheckBox::toggled, this, &MainForm::applyEditMode);
    connect(chkMain[6], &QCheckBox::toggled, this, &MainForm::applyNoMonsters);
    connect(ChkGL, &QCheckBox::toggled, this, [this](bool on) {
        enable({Timeout, butLeft2, butRight2}, on);
    });
    connect(chkGraphics[3], &QCheckBox::toggled, this, [this](bool on) {
        enable({SkyOpt[0], SkyOpt[1]}, on);
    });
    connect(GunSmoke, &QCheckBox::toggled, this, [this](bool on) {
        if (!chkMain[0]->isChecked() && state_.content.modelPack1)
            enable({Smoke[0], Smoke[1]}, on);
    });
    connect(chkKRVOpts[2], &QCheckBox::toggled, this, [this](bool on) {
        TexPathLabel->setVisible(on);
        AuxButton[9]->setEnabled(on);
    });
    connect(chkSound[0], &QCheckBox::toggled, this, &MainForm::applySoundRules);
    connect(chkSound[1], &QCheckBox::toggled, this, &MainForm::applySoundRules);
    connect(chkSound[4], &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            chkSound[5]->setChecked(false);
        DisableMusic();
    });
    connect(chkSound[5], &QCheckBox::toggled, this, [this](bool on) {
        chkSound[5]->setText(on ? QStringLiteral("Load") : QStringLiteral("Manual"));
        if (on)
            chkSound[4]->setChecked(false);
    });
    connect(chkSound[3], &QCheckBox::toggled, this, [this](bool on) {
        chkSound[8]->setEnabled(on);
        ChannelsLabel->setEnabled(on || !chkSound[0]->isChecked());
    });
    connect(chkSound[2], &QCheckBox::toggled, this, [this](bool on) {
        enable({Ricotext, RicoButton[0], RicoButton[1]}, on);
        state_.settings.ricochets = on;
        state_.launch.ricochetChanged = true;
    });
    connect(chkMain[0], &QCheckBox::toggled, this, [this](bool on) {
        state_.settings.basicDoom = on;
        BasicDoom();
        RefreshModelPacks();
    });
    connect(ChkModelOpts[3], &QCheckBox::toggled, this, [this](bool on) {
        state_.settings.coreEffects = on;
        chkMain[0]->setEnabled(!on);
        if (on)
            chkMain[0]->setChecked(false);
        const bool scaling = !on && state_.content.modelPack1;
        enable({GraphicFrames[1], cbScaler, TexLabel[0], chkEffects[3]}, scaling);
        ChkModelOpts[1]->setEnabled(!on);
        ChkModelOpts[2]->setEnabled(!on);
        if (on)
            ChkModelOpts[2]->setChecked(false);
        RefreshModelPacks();
    });
    connect(ChkModelOpts[2], &QCheckBox::toggled, this, [this](bool on) {
        state_.settings.modelFx = on;
        if (on) {
            chkMain[0]->setChecked(true);
            ChkModelOpts[3]->setChecked(false);
        }
        BasicDoomGrey();
    });
    for (int i = 1; i < 5; ++i)
        connect(OptionTabs[i], &QPushButton::clicked, this, [this, i] { switchTab(i); });
    connect(OptionTabs[0], &QPushButton::clicked, this, [this] { switchTab(0); });
}

// "Basic Doom" plays with the original sprites: the model options, the
// model effects and the ricochets go; turned off, each comes back only where
// its packs and settings allow it.
void MainForm::BasicDoom() {
    const bool on = chkMain[0]->isChecked();
    const Settings& s = state_.settings;
    const bool effects = s.modelFx;
    if (on) {
        enable({FrameModel[0],   chkAltModels[0], chkAltModels[1],  chkAltModels[2],
                chkAltModels[3], chkEffects[3],   FrameModel[1],    Smoke[0],
                Smoke[1],        GunSmoke,        ChkModelOpts[1],  ChkModelOpts[3],
                ChkModelOpts[2], chkSound[2],     chkSound[7],      RicoButton[0],
                RicoButton[1],   Ricotext,        GraphicFrames[1], cbScaler,
                TexLabel[0]},
               false);
        ChkModelOpts[3]->setChecked(false);
        enable({GraphicFrames[4], chkEffects[0], chkEffects[2]}, effects);
    } else {
        enable({GraphicFrames[4], chkEffects[0], chkEffects[2]}, true);
        const bool models = !s.coreEffects && state_.content.modelPack1;
        enable({FrameModel[1], Smoke[0], Smoke[1], GunSmoke, GraphicFrames[1], cbScaler,
                TexLabel[0], chkEffects[3]},
               models);
        const auto packFiles = altModelFilesPresent(state_.paths);
        for (int i = 0; i < 4; ++i)
            chkAltModels[i]->setEnabled(packFiles[static_cast<std::size_t>(i)]);
        FrameModel[0]->setEnabled(state_.content.modelPack1);
        ChkModelOpts[2]->setEnabled(true);
        ChkModelOpts[3]->setEnabled(true);
        ChkModelOpts[1]->setEnabled(!s.coreEffects);
        if (!chkSound[0]->isChecked()) {
            chkSound[2]->setEnabled(true);
            chkSound[7]->setEnabled(!effects);
            enable({Ricotext, RicoButton[0], RicoButton[1]}, chkSound[2]->isChecked());
        }
    }
    BasicDoomGrey();
}

// The high-resolution graphics with "Basic Doom": only detail textures,
// unless the effects setting keeps the rest.
void MainForm::BasicDoomGrey() {
    const bool basic = chkMain[0]->isChecked() && !state_.settings.modelFx;
    if (basic) {
        chkGraphics[2]->setEnabled(state_.content.detailTexturesAvailable);
        enable({chkGraphics[3], chkGraphics[4], chkMain[1], SkyOpt[0], SkyOpt[1]}, false);
        return;
    }
    if (chkMain[1]->isChecked())
        chkGraphics[2]->setEnabled(false);
    chkGraphics[4]->setEnabled(true);
    chkMain[1]->setEnabled(true);
    chkGraphics[3]->setEnabled(state_.content.skyboxesAvailable);
    enable({SkyOpt[0], SkyOpt[1]}, chkGraphics[3]->isEnabled() && chkGraphics[3]->isChecked());
}

// After a selection: a scripted map of the maker uses its own graphics.
void MainForm::GreyHiresFrame() {
    if (chkMain[0]->isChecked())
        return;
    const bool scripted =
        selection_.manualGame && scriptedMapInstalled(state_.paths, selection_.manualGameName);
    if (scripted) {
        enable({GraphicFrames[5], chkGraphics[2], chkGraphics[3], chkGraphics[4], chkMain[1],
                SkyOpt[0], SkyOpt[1]},
               false);
        return;
    }
    GraphicFrames[5]->setEnabled(true);
    chkGraphics[2]->setEnabled(state_.content.detailTexturesAvailable && !chkMain[1]->isChecked());
    chkGraphics[4]->setEnabled(true);
    chkMain[1]->setEnabled(true);
    chkGraphics[3]->setEnabled(state_.content.skyboxesAvailable);
    enable({SkyOpt[0], SkyOpt[1]}, chkGraphics[3]->isEnabled() && chkGraphics[3]->isChecked());
}

// A scripted map of the maker brings its own sprites: "Basic Doom" and the
// effects setting are unavailable (their checked states come back after).
void MainForm::KillSpriteOptions() {
    for (QCheckBox* box : {chkMain[0], ChkModelOpts[1], ChkModelOpts[2], ChkModelOpts[3],
                           chkEffects[0], chkEffects[2]}) {
        const QSignalBlocker quiet(box);
        box->setEnabled(false);
    }
    GraphicFrames[4]->setEnabled(false);
}

void MainForm::RestoreSpriteOptions() {
    const Settings& s = state_.settings;
    chkMain[0]->setEnabled(!s.coreEffects && !s.modelFx);
    ChkModelOpts[3]->setEnabled(true);
    if (!s.coreEffects) {
        ChkModelOpts[1]->setEnabled(true);
        ChkModelOpts[2]->setEnabled(true);
    }
    enable({GraphicFrames[4], chkEffects[0], chkEffects[2]}, true);
    if (chkMain[0]->isChecked())
        BasicDoom();
}

// The option rules run once after the settings are restored, so that what
// is available matches the stored values.
void MainForm::applyOptionRules() {
    chkGraphics[2]->setEnabled(!chkMain[1]->isChecked() && state_.content.detailTexturesAvailable);
    applyEditMode(chkMain[5]->isChecked());
    applyNoMonsters(chkMain[6]->isChecked());
    enable({Timeout, butLeft2, butRight2}, ChkGL->isChecked());
    if (chkGraphics[3]->isEnabled())
        enable({SkyOpt[0], SkyOpt[1]}, chkGraphics[3]->isChecked());
    TexPathLabel->setVisible(chkKRVOpts[2]->isChecked());
    AuxButton[9]->setEnabled(chkKRVOpts[2]->isChecked());
    enable({Ricotext, RicoButton[0], RicoButton[1]}, chkSound[2]->isChecked());
    chkSound[5]->setText(chkSound[5]->isChecked() ? QStringLiteral("Load")
                                                  : QStringLiteral("Manual"));
    applySoundRules();
    BasicDoom();
    switchTab(0);
}

void MainForm::stepCorpseFade(int step) {
    const int seconds = stepNumber(Corpse, step, 0, 9);
    state_.settings.corpseFadeSeconds = seconds;
    if (seconds > 0) {
        chkKRVOpts[3]->setEnabled(!chkMain[6]->isChecked());
        chkKRVOpts[3]->setText(QStringLiteral("Resurrect corpses with fade"));
        TexLabel[1]->setText(QStringLiteral("Seconds before corpses fade"));
        Corpse->setPalette(QApplication::palette());
    } else {
        chkKRVOpts[3]->setChecked(false);
        chkKRVOpts[3]->setEnabled(false);
        TexLabel[1]->setText(QStringLiteral("No corpse fade"));
    }
}

void MainForm::stepGrenadeDelay(int step) {
    const int delay = stepNumber(Timeout, step, 0, 7);
    state_.settings.grenadeTimer = delay;
    ChkGL->setText(delay > 0 ? QStringLiteral("Grenade launcher")
                             : QStringLiteral("Pipebomb launcher"));
}

void MainForm::applyEditMode(bool on) {
    AuxButton[3]->setVisible(advancedLayout_ && on);
    AuxButton[7]->setVisible(advancedLayout_ && !on && state_.settings.gamesListView == ZipLibrary);
    chkMain[4]->setEnabled(on);
    chkMain[3]->setEnabled(on);
    LightText->setEnabled(on);
    WineImage->setVisible(!on && state_.startup.wineMode);
}

void MainForm::applyNoMonsters(bool on) {
    enable({chkKRVOpts[5], chkKRVOpts[6], chkKRVOpts[7], chkKRVOpts[8], Corpse, butleft, butRight,
            GraphicFrames[3], TexLabel[1]},
           !on);
    bool ok = false;
    const int seconds = Corpse->text().toInt(&ok);
    chkKRVOpts[3]->setEnabled(!on && ok && seconds > 0);
    const bool zombies = state_.content.modelPack1 &&
                         altModelFilesPresent(state_.paths)[PistolZombies] &&
                         !state_.settings.coreEffects && !state_.settings.modelFx;
    chkAltModels[0]->setEnabled(!on && zombies);
}

// "Disable sound" and "Disable music", and the playlist controls they rule.
void MainForm::applySoundRules() {
    const bool soundOff = chkSound[0]->isChecked();
    for (int i : {1, 2, 3, 4, 6, 7, 8, 9, 10})
        chkSound[i]->setEnabled(!soundOff);
    enable({cbChannels, ChannelsLabel}, !soundOff);
    if (!soundOff) {
        chkSound[5]->setEnabled(true);
        chkSound[6]->setEnabled(ci::isFile(state_.paths.root + "/data/pk_doom_sfx.wad"));
        const bool basicDoom = chkMain[0]->isChecked();
        chkSound[2]->setEnabled(!basicDoom);
        chkSound[7]->setEnabled(!basicDoom);
        chkSound[8]->setEnabled(chkSound[3]->isChecked());
    } else {
        chkSound[5]->setEnabled(false);
    }
    enable({Ricotext, RicoButton[0], RicoButton[1]},
           !soundOff && chkSound[2]->isEnabled() && chkSound[2]->isChecked());
    DisableMusic();
}

void MainForm::DisableMusic() {
    const bool off = chkSound[0]->isChecked() || chkSound[1]->isChecked();
    const bool automatic = chkSound[4]->isChecked();
    SoundFrame[1]->setEnabled(!off);
    SelectionList->setEnabled(!off && !automatic);
    butMusic[0]->setEnabled(!off && !automatic);
    butMusic[1]->setEnabled(!off && !automatic);
    butMusic[2]->setEnabled(!off && !automatic);
    chkSound[4]->setEnabled(!off);
    chkSound[5]->setEnabled(!off);
    chkSound[9]->setEnabled(!off);
    chkSound[10]->setEnabled(!off);
}

// The tab strip: the chosen tab in dark red; the option tabs take the
// Launch and shortcut buttons away, the Games tab gives them back when the
// selection can be launched.
void MainForm::switchTab(int tab) {
    TabPages->setCurrentIndex(tab);
    for (int i = 0; i < 5; ++i) {
        QPalette palette = OptionTabs[i]->palette();
        palette.setColor(QPalette::ButtonText,
                         i == tab ? QColor(192, 0, 0)
                                  : chkMain[0]->palette().color(QPalette::WindowText));
        OptionTabs[i]->setPalette(palette);
        OptionTabs[i]->setChecked(i == tab);
    }
    AuxButton[8]->setVisible(tab == 4); // the model pack cleanup
    if (tab == 0) {
        // A changed file filter lists the game's files anew.
        if (chkLaunchPrefs[4]->isChecked() != wadFilesOnlyListed_) {
            wadFilesOnlyListed_ = chkLaunchPrefs[4]->isChecked();
            SelectGame();
        }
        const bool launchable = PwadShowlist->count() > 0 && MapList->count() > 0;
        LaunchButton->setEnabled(launchable);
        AuxButton[2]->setEnabled(launchable && chkLaunchPrefs[2]->isChecked() &&
                                 state_.settings.gamesListView != ZipLibrary);
        return;
    }
    LaunchButton->setEnabled(false);
    AuxButton[2]->setEnabled(false);
    if (tab == 4)
        RefreshModelPacks();
}

// The model packs found now and what their options may do with the chosen
// game: the pack frame's caption or the advice, and the model options.
void MainForm::RefreshModelPacks() {
    ModelControls current;
    for (int i = 0; i < 4; ++i)
        current.altModels[i] = {chkAltModels[i]->isEnabled(), chkAltModels[i]->isChecked()};
    for (int i = 1; i < 4; ++i)
        current.modelOpts[i] = {ChkModelOpts[i]->isEnabled(), ChkModelOpts[i]->isChecked()};
    current.packFrameEnabled = FrameModel[0]->isEnabled();
    const ModelRefresh refresh =
        refreshModelPacks(state_.paths, packs_, mainWad_, current, state_.settings);
    packs_ = refresh.packs;
    state_.content.modelPack1 = packs_.pack1;
    ModFrame->setVisible(refresh.frame.adviceShown);
    if (refresh.frame.caption)
        FrameModel[0]->setTitle(QString::fromStdString(*refresh.frame.caption));
    // The states are applied as they are; the options' own handlers must
    // not run on them again.
    const auto apply = [](QCheckBox* box, const ControlState& state) {
        const QSignalBlocker quiet(box);
        box->setEnabled(state.enabled);
        box->setChecked(state.checked);
    };
    for (int i = 0; i < 4; ++i)
        apply(chkAltModels[i], refresh.controls.altModels[i]);
    for (int i = 1; i < 4; ++i)
        apply(ChkModelOpts[i], refresh.controls.modelOpts[i]);
    FrameModel[0]->setEnabled(refresh.controls.packFrameEnabled);
}

} // namespace krv
