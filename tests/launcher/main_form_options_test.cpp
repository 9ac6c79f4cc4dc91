// The option tabs in the window: the rules that reach other panels and the
// tab strip.
#include "main_form_fixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
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
    EXPECT_FALSE(named<QCheckBox>(f, "chkMain", 4)->isEnabled()); // no objects: edit mode only
    EXPECT_FALSE(named<QLineEdit>(f, "LightText")->isEnabled());
    named<QCheckBox>(f, "chkMain", 5)->click();
    EXPECT_TRUE(named<QCheckBox>(f, "chkMain", 4)->isEnabled());
    EXPECT_TRUE(named<QCheckBox>(f, "chkMain", 3)->isEnabled());
    EXPECT_TRUE(named<QToolButton>(f, "AuxButton", 3)->isVisible());
    named<QCheckBox>(f, "chkMain", 5)->click();
    EXPECT_FALSE(named<QCheckBox>(f, "chkMain", 3)->isEnabled());

    EXPECT_FALSE(
        named<QLineEdit>(f, "Timeout")->isEnabled()); // the grenade delay needs the launcher
    named<QCheckBox>(f, "ChkGL")->click();
    EXPECT_TRUE(named<QLineEdit>(f, "Timeout")->isEnabled());

    named<QCheckBox>(f, "chkMain", 6)->click(); // no monsters
    for (int i : {3, 5, 6, 7, 8})
        EXPECT_FALSE(named<QCheckBox>(f, "chkKRVOpts", i)->isEnabled()) << i;
    EXPECT_FALSE(named<QGroupBox>(f, "GraphicFrames", 3)->isEnabled());
    named<QCheckBox>(f, "chkMain", 6)->click();
    Options::press(named<QToolButton>(f, "butleft"), 9);
    named<QCheckBox>(f, "chkMain", 6)->click();
    named<QCheckBox>(f, "chkMain", 6)->click();
    EXPECT_TRUE(named<QCheckBox>(f, "chkKRVOpts", 8)->isEnabled());
    EXPECT_FALSE(named<QCheckBox>(f, "chkKRVOpts", 3)->isEnabled()); // the fade time is 0

    named<QCheckBox>(f, "chkKRVOpts", 2)->click(); // hi-res relocation shows the texture location
    EXPECT_TRUE(named<QToolButton>(f, "AuxButton", 9)->isEnabled());
}

TEST(OptionTabs, MusicControlsFollowSoundMusicAndAuto) {
    Options w;
    MainForm& f = *w.form;
    named<QCheckBox>(f, "chkSound", 4)->click(); // Auto clears Manual, which stays available
    EXPECT_FALSE(named<QWidget>(f, "SelectionList")->isEnabled());
    EXPECT_FALSE(named<QCheckBox>(f, "chkSound", 5)->isChecked());
    named<QCheckBox>(f, "chkSound", 1)->click(); // music off
    EXPECT_FALSE(named<QGroupBox>(f, "SoundFrame", 1)->isEnabled());
    named<QCheckBox>(f, "chkSound", 1)->click(); // on again: Auto still rules the list
    EXPECT_TRUE(named<QGroupBox>(f, "SoundFrame", 1)->isEnabled());
    EXPECT_FALSE(named<QWidget>(f, "SelectionList")->isEnabled());
    named<QCheckBox>(f, "chkSound", 4)->click();
    EXPECT_TRUE(named<QWidget>(f, "SelectionList")->isEnabled());
    ASSERT_GT(w.state.session.playlists.count(), 0);
    w.state.session.playlists.setCurrentRow(0);
    named<QCheckBox>(f, "chkSound", 5)->click();
    EXPECT_EQ(named<QCheckBox>(f, "chkSound", 5)->text(), "Load");
    named<QCheckBox>(f, "chkSound", 0)->click(); // all sound off
    EXPECT_FALSE(named<QCheckBox>(f, "chkSound", 3)->isEnabled());
    EXPECT_FALSE(named<QCheckBox>(f, "chkSound", 5)->isEnabled());
    EXPECT_FALSE(named<QToolButton>(f, "RicoButton", 1)->isEnabled());
}

TEST(OptionTabs, OptionTabsTakeLaunchAwayAndOnlyModelsShowsTheCleanup) {
    Options w;
    writeFile(w.root / "Iwads/Doom2.wad", "IWAD");
    MainForm& f = *w.form;
    named<QPushButton>(f, "OptionTabs", 1)->click();
    EXPECT_FALSE(named<QPushButton>(f, "LaunchButton")->isEnabled());
    EXPECT_FALSE(named<QToolButton>(f, "AuxButton", 8)->isVisible());
    named<QPushButton>(f, "OptionTabs", 4)->click();
    EXPECT_TRUE(named<QToolButton>(f, "AuxButton", 8)->isVisible());
    named<QPushButton>(f, "OptionTabs", 0)->click();
    EXPECT_FALSE(named<QToolButton>(f, "AuxButton", 8)->isVisible());
    EXPECT_EQ(named<QPushButton>(f, "OptionTabs", 0)->palette().color(QPalette::ButtonText),
              QColor(192, 0, 0));
}

TEST(OptionTabs, TheModelsTabShowsThePacksFoundOrTheAdvice) {
    {
        Options w;
        named<QPushButton>(*w.form, "OptionTabs", 4)->click();
        EXPECT_TRUE(named<QGroupBox>(*w.form, "ModFrame")->isVisible()); // no base pack
        EXPECT_FALSE(w.state.session.content.modelPack1);
    }
    Window w;
    writeFile(w.root / "Md2/HudWeapons/SuperShotgun/db-shells.md2", "model");
    Settings s;
    s.advancedOptions = true;
    writeFile(w.root.configFile(), configText(s));
    w.load();
    named<QPushButton>(*w.form, "OptionTabs", 4)->click();
    EXPECT_TRUE(w.state.session.content.modelPack1);
    EXPECT_FALSE(named<QGroupBox>(*w.form, "ModFrame")->isVisible());
    EXPECT_EQ(named<QGroupBox>(*w.form, "FrameModel", 0)->title(), " Model pack 1 installed ");
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
    named<QCheckBox>(f, "ChkModelOpts", 3)->click();
    EXPECT_FALSE(named<QGroupBox>(f, "FrameModel", 0)->isEnabled());
    EXPECT_FALSE(named<QCheckBox>(f, "GunSmoke")->isEnabled());
    EXPECT_FALSE(named<QCheckBox>(f, "chkMain", 0)->isEnabled());
    named<QCheckBox>(f, "ChkModelOpts", 3)->click();
    EXPECT_TRUE(named<QGroupBox>(f, "FrameModel", 0)->isEnabled());
    EXPECT_TRUE(named<QCheckBox>(f, "GunSmoke")->isEnabled());
    // "No monsters" reaches the refresh at once.
    w.state.session.controls.setChecked(ids::chkAltModels[3], true);
    named<QCheckBox>(f, "chkMain", 6)->click();
    named<QPushButton>(f, "OptionTabs", 4)->click();
    EXPECT_FALSE(named<QCheckBox>(f, "chkAltModels", 0)->isEnabled());
    // The tab captions copy the box's colour, not its disabled look.
    named<QCheckBox>(f, "ChkModelOpts", 3)->click();
    named<QPushButton>(f, "OptionTabs", 1)->click();
    EXPECT_EQ(
        named<QPushButton>(f, "OptionTabs", 2)->palette().color(QPalette::ButtonText),
        named<QCheckBox>(f, "chkMain", 0)->palette().color(QPalette::Active, QPalette::WindowText));
}

TEST(OptionTabs, MusicBackOnWithoutPlaylistsLeavesThePlaylistControlsOff) {
    Window w;
    w.load();
    MainForm& f = *w.form;
    ASSERT_EQ(w.state.session.playlists.count(), 0);
    named<QCheckBox>(f, "chkSound", 1)->click();
    named<QCheckBox>(f, "chkSound", 1)->click();
    EXPECT_FALSE(named<QCheckBox>(f, "chkSound", 4)->isEnabled());
    EXPECT_FALSE(named<QCheckBox>(f, "chkSound", 5)->isEnabled());
    EXPECT_FALSE(named<QPushButton>(f, "butMusic", 2)->isEnabled());
    EXPECT_TRUE(named<QPushButton>(f, "butMusic", 0)->isEnabled());
}
