// The option tabs' number boxes, availability rules and tab strip.
#include "main_form_fixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

struct Options : Window {
    Options() {
        writeFile(root / "KRVLaunch/Music/Mine.krm", "x\r\n");
        writeFile(root / "KRVLaunch/Music/auto-playlist.krv", "x\r\n");
        Settings s;
        s.advancedOptions = true;
        writeFile(root.configFile(), configText(s));
        load();
    }
    static void press(QToolButton* button, int times) {
        for (int i = 0; i < times; ++i)
            button->click();
    }
};

} // namespace

TEST(OptionTabs, NumberBoxesStopAtTheirLimitsAndRenameTheirOptions) {
    Options w;
    MainForm& f = *w.form;
    Options::press(f.butRight, 5); // 9 at most
    EXPECT_EQ(f.Corpse->text(), "9");
    Options::press(f.butleft, 12);
    EXPECT_EQ(f.Corpse->text(), "0");
    EXPECT_FALSE(f.chkKRVOpts[3]->isChecked());
    EXPECT_FALSE(f.chkKRVOpts[3]->isEnabled());
    EXPECT_EQ(f.TexLabel[1]->text(), "No corpse fade");
    f.butRight->click();
    EXPECT_TRUE(f.chkKRVOpts[3]->isEnabled());
    EXPECT_EQ(f.TexLabel[1]->text(), "Seconds before corpses fade");

    f.ChkGL->click(); // the delay belongs to the grenade launcher
    Options::press(f.butRight2, 9);
    EXPECT_EQ(f.Timeout->text(), "7");
    Options::press(f.butLeft2, 9);
    EXPECT_EQ(f.Timeout->text(), "0");
    EXPECT_EQ(f.ChkGL->text(), "Pipebomb launcher");
    f.butRight2->click();
    EXPECT_EQ(f.ChkGL->text(), "Grenade launcher");

    f.Ricotext->setText("0");
    f.RicoButton[0]->click(); // a box at 0 starts from 1
    EXPECT_EQ(f.Ricotext->text(), "1");
    Options::press(f.RicoButton[1], 12);
    EXPECT_EQ(w.state.settings.ricochetValue, 9);
    EXPECT_TRUE(w.state.launch.ricochetChanged);
}

TEST(OptionTabs, OptionsAreAvailableOnlyWithWhatTheyDependOn) {
    Options w;
    MainForm& f = *w.form;
    EXPECT_FALSE(f.chkMain[4]->isEnabled()); // no objects: edit mode only
    EXPECT_FALSE(f.LightText->isEnabled());
    f.chkMain[5]->click();
    EXPECT_TRUE(f.chkMain[4]->isEnabled());
    EXPECT_TRUE(f.chkMain[3]->isEnabled());
    EXPECT_TRUE(f.AuxButton[3]->isVisible());
    f.chkMain[5]->click();
    EXPECT_FALSE(f.chkMain[3]->isEnabled());

    EXPECT_FALSE(f.Timeout->isEnabled()); // the grenade delay needs the launcher
    f.ChkGL->click();
    EXPECT_TRUE(f.Timeout->isEnabled());

    f.chkMain[6]->click(); // no monsters
    for (int i : {3, 5, 6, 7, 8})
        EXPECT_FALSE(f.chkKRVOpts[i]->isEnabled()) << i;
    EXPECT_FALSE(f.GraphicFrames[3]->isEnabled());
    f.chkMain[6]->click();
    Options::press(f.butleft, 9);
    f.chkMain[6]->click();
    f.chkMain[6]->click();
    EXPECT_TRUE(f.chkKRVOpts[8]->isEnabled());
    EXPECT_FALSE(f.chkKRVOpts[3]->isEnabled()); // the fade time is 0

    f.chkKRVOpts[2]->click(); // hi-res relocation shows the texture location
    EXPECT_TRUE(f.AuxButton[9]->isEnabled());
}

TEST(OptionTabs, MusicControlsFollowSoundMusicAndAuto) {
    Options w;
    MainForm& f = *w.form;
    f.chkSound[4]->click(); // Auto clears Manual, which stays available
    EXPECT_FALSE(f.SelectionList->isEnabled());
    EXPECT_FALSE(f.chkSound[5]->isChecked());
    f.chkSound[1]->click(); // music off
    EXPECT_FALSE(f.SoundFrame[1]->isEnabled());
    f.chkSound[1]->click(); // on again: Auto still rules the list
    EXPECT_TRUE(f.SoundFrame[1]->isEnabled());
    EXPECT_FALSE(f.SelectionList->isEnabled());
    f.chkSound[4]->click();
    EXPECT_TRUE(f.SelectionList->isEnabled());
    ASSERT_GT(f.SelectionList->count(), 0);
    f.SelectionList->setCurrentRow(0);
    f.chkSound[5]->click();
    EXPECT_EQ(f.chkSound[5]->text(), "Load");
    f.chkSound[0]->click(); // all sound off
    EXPECT_FALSE(f.chkSound[3]->isEnabled());
    EXPECT_FALSE(f.chkSound[5]->isEnabled());
    EXPECT_FALSE(f.RicoButton[1]->isEnabled());
}

TEST(OptionTabs, OptionTabsTakeLaunchAwayAndOnlyModelsShowsTheCleanup) {
    Options w;
    writeFile(w.root / "Iwads/Doom2.wad", "IWAD");
    MainForm& f = *w.form;
    f.OptionTabs[1]->click();
    EXPECT_FALSE(f.LaunchButton->isEnabled());
    EXPECT_FALSE(f.AuxButton[8]->isVisible());
    f.OptionTabs[4]->click();
    EXPECT_TRUE(f.AuxButton[8]->isVisible());
    f.OptionTabs[0]->click();
    EXPECT_FALSE(f.AuxButton[8]->isVisible());
    EXPECT_EQ(f.OptionTabs[0]->palette().color(QPalette::ButtonText), QColor(192, 0, 0));
}

TEST(OptionTabs, TheModelsTabShowsThePacksFoundOrTheAdvice) {
    {
        Options w;
        w.form->OptionTabs[4]->click();
        EXPECT_TRUE(w.form->ModFrame->isVisible()); // no base pack
        EXPECT_FALSE(w.state.content.modelPack1);
    }
    Window w;
    writeFile(w.root / "Md2/HudWeapons/SuperShotgun/db-shells.md2", "model");
    Settings s;
    s.advancedOptions = true;
    writeFile(w.root.configFile(), configText(s));
    w.load();
    w.form->OptionTabs[4]->click();
    EXPECT_TRUE(w.state.content.modelPack1);
    EXPECT_FALSE(w.form->ModFrame->isVisible());
    EXPECT_EQ(w.form->FrameModel[0]->title(), " Model pack 1 installed ");
}

TEST(OptionTabs, BasicDoomTakesTheModelOptionsAwayAndGivesBackOnlyWhatPacksAllow) {
    Window w;
    writeFile(w.root / "Md2/HudWeapons/SuperShotgun/db-shells.md2", "the base pack");
    writeFile(w.root / "Md2/Brasken/Gore/hang1.jpg", "x"); // replacements only
    writeFile(w.root / "Md2/Brasken/Gore/Gore6.dmd", "x"); // of model pack 2
    writeFile(w.root / "Data/dtex/detail.wad", "PWAD");
    // With the core effects files the effects setting is the player's own.
    writeFile(w.root / "Md2/CoreEffects/fx.md2", "x");
    writeFile(w.root / "Defs/Base/CoreEffects.ded", "x");
    Settings s;
    s.advancedOptions = true;
    s.highResTextures = false;
    writeFile(w.root.configFile(), configText(s));
    w.load();
    MainForm& f = *w.form;
    f.chkMain[0]->click(); // Basic Doom on
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(f.chkAltModels[i]->isEnabled()) << i;
    EXPECT_FALSE(f.GunSmoke->isEnabled());
    EXPECT_FALSE(f.chkSound[2]->isEnabled());
    EXPECT_FALSE(f.chkGraphics[4]->isEnabled());
    EXPECT_TRUE(f.chkGraphics[2]->isEnabled()); // detail textures stay

    f.chkMain[0]->click(); // off again
    EXPECT_TRUE(f.chkAltModels[3]->isEnabled());
    EXPECT_FALSE(f.chkAltModels[1]->isEnabled()); // no Quilspack files
    EXPECT_TRUE(f.GunSmoke->isEnabled());
    EXPECT_TRUE(f.chkSound[2]->isEnabled());
    EXPECT_TRUE(f.chkGraphics[4]->isEnabled());
}
