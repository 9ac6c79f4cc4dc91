// The option tabs in the window: the rules that reach other panels and the
// tab strip.
#include "main_form_fixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
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

TEST(OptionTabs, OptionsAreAvailableOnlyWithWhatTheyDependOn) {
    Options w;
    MainForm& f = *w.form;
    EXPECT_FALSE(f.options().chkMain[4]->isEnabled()); // no objects: edit mode only
    EXPECT_FALSE(f.launch().LightText->isEnabled());
    f.options().chkMain[5]->click();
    EXPECT_TRUE(f.options().chkMain[4]->isEnabled());
    EXPECT_TRUE(f.options().chkMain[3]->isEnabled());
    EXPECT_TRUE(f.AuxButton[3]->isVisible());
    f.options().chkMain[5]->click();
    EXPECT_FALSE(f.options().chkMain[3]->isEnabled());

    EXPECT_FALSE(f.options().Timeout->isEnabled()); // the grenade delay needs the launcher
    f.options().ChkGL->click();
    EXPECT_TRUE(f.options().Timeout->isEnabled());

    f.options().chkMain[6]->click(); // no monsters
    for (int i : {3, 5, 6, 7, 8})
        EXPECT_FALSE(f.options().chkKRVOpts[i]->isEnabled()) << i;
    EXPECT_FALSE(f.options().GraphicFrames[3]->isEnabled());
    f.options().chkMain[6]->click();
    Options::press(f.options().butleft, 9);
    f.options().chkMain[6]->click();
    f.options().chkMain[6]->click();
    EXPECT_TRUE(f.options().chkKRVOpts[8]->isEnabled());
    EXPECT_FALSE(f.options().chkKRVOpts[3]->isEnabled()); // the fade time is 0

    f.options().chkKRVOpts[2]->click(); // hi-res relocation shows the texture location
    EXPECT_TRUE(f.AuxButton[9]->isEnabled());
}

TEST(OptionTabs, MusicControlsFollowSoundMusicAndAuto) {
    Options w;
    MainForm& f = *w.form;
    f.options().chkSound[4]->click(); // Auto clears Manual, which stays available
    EXPECT_FALSE(f.music().SelectionList->isEnabled());
    EXPECT_FALSE(f.options().chkSound[5]->isChecked());
    f.options().chkSound[1]->click(); // music off
    EXPECT_FALSE(f.music().SoundFrame[1]->isEnabled());
    f.options().chkSound[1]->click(); // on again: Auto still rules the list
    EXPECT_TRUE(f.music().SoundFrame[1]->isEnabled());
    EXPECT_FALSE(f.music().SelectionList->isEnabled());
    f.options().chkSound[4]->click();
    EXPECT_TRUE(f.music().SelectionList->isEnabled());
    ASSERT_GT(f.music().SelectionList->count(), 0);
    f.music().SelectionList->setCurrentRow(0);
    f.options().chkSound[5]->click();
    EXPECT_EQ(f.options().chkSound[5]->text(), "Load");
    f.options().chkSound[0]->click(); // all sound off
    EXPECT_FALSE(f.options().chkSound[3]->isEnabled());
    EXPECT_FALSE(f.options().chkSound[5]->isEnabled());
    EXPECT_FALSE(f.options().RicoButton[1]->isEnabled());
}

TEST(OptionTabs, OptionTabsTakeLaunchAwayAndOnlyModelsShowsTheCleanup) {
    Options w;
    writeFile(w.root / "Iwads/Doom2.wad", "IWAD");
    MainForm& f = *w.form;
    f.OptionTabs[1]->click();
    EXPECT_FALSE(f.launch().LaunchButton->isEnabled());
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
        EXPECT_TRUE(w.form->options().ModFrame->isVisible()); // no base pack
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
    EXPECT_FALSE(w.form->options().ModFrame->isVisible());
    EXPECT_EQ(w.form->options().FrameModel[0]->title(), " Model pack 1 installed ");
}

TEST(OptionTabs, CoreEffectsAndTheirNeighboursFollowTheModelRules) {
    Window w;
    writeFile(w.root / "Md2/HudWeapons/SuperShotgun/db-shells.md2", "the base pack");
    writeFile(w.root / "Md2/Brasken/Gore/hang1.jpg", "x");
    fs::create_directories(w.root / "Md2/Monsters/Imp");
    fs::create_directories(w.root / "Md2/CoreEffects");
    writeFile(w.root / "Defs/Base/CoreEffects.ded", "x");
    Settings s;
    s.advancedOptions = true;
    writeFile(w.root.configFile(), configText(s));
    w.load();
    MainForm& f = *w.form;
    // "Core Effects" takes the model packs away and gives them back.
    f.options().ChkModelOpts[3]->click();
    EXPECT_FALSE(f.options().FrameModel[0]->isEnabled());
    EXPECT_FALSE(f.options().GunSmoke->isEnabled());
    EXPECT_FALSE(f.options().chkMain[0]->isEnabled());
    f.options().ChkModelOpts[3]->click();
    EXPECT_TRUE(f.options().FrameModel[0]->isEnabled());
    EXPECT_TRUE(f.options().GunSmoke->isEnabled());
    // "No monsters" reaches the refresh at once.
    f.options().chkAltModels[3]->setChecked(true);
    f.options().chkMain[6]->click();
    f.OptionTabs[4]->click();
    EXPECT_FALSE(f.options().chkAltModels[0]->isEnabled());
    // The tab captions copy the box's colour, not its disabled look.
    f.options().ChkModelOpts[3]->click();
    f.OptionTabs[1]->click();
    EXPECT_EQ(f.OptionTabs[2]->palette().color(QPalette::ButtonText),
              f.options().chkMain[0]->palette().color(QPalette::Active, QPalette::WindowText));
}

TEST(OptionTabs, MusicBackOnWithoutPlaylistsLeavesThePlaylistControlsOff) {
    Window w;
    w.load();
    MainForm& f = *w.form;
    ASSERT_EQ(f.music().SelectionList->count(), 0);
    f.options().chkSound[1]->click();
    f.options().chkSound[1]->click();
    EXPECT_FALSE(f.options().chkSound[4]->isEnabled());
    EXPECT_FALSE(f.options().chkSound[5]->isEnabled());
    EXPECT_FALSE(f.music().butMusic[2]->isEnabled());
    EXPECT_TRUE(f.music().butMusic[0]->isEnabled());
}
