// The option tabs on their own over a temporary installation: the number
// boxes, the rules of "Basic Doom" and the model options, and the custom
// definition files.
#include "launcher/options/options_panel.h"
#include "panel_rig.h"

#include "common/ci_path.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace krv;
using krv::test::writeFile;
namespace fs = std::filesystem;

namespace {

struct Panel : test::PanelRig {
    OptionsPanel* panel = new OptionsPanel(state, platform, &window);

    // The window's load as far as the tabs go: the packs found, the stored
    // settings in the controls, the rules and captions that follow them.
    void load(const Settings& stored = {}) {
        state.settings = stored;
        state.content.detailTexturesAvailable = ci::isFile(root.root() + "/data/dtex/detail.wad");
        panel->prepareModelOptions();
        panel->settingsToControls(state.settings);
        panel->applyOptionRules();
        panel->setSettingCaptions();
        panel->noteSkyboxes();
        panel->RefreshModelPacks();
        window.show();
    }
    static void press(QToolButton* button, int times) {
        for (int i = 0; i < times; ++i)
            button->click();
    }
};

} // namespace

TEST(OptionsPanel, NumberBoxesStopAtTheirLimitsAndRenameTheirOptions) {
    Panel p;
    p.load();
    OptionsPanel& o = *p.panel;
    Panel::press(o.butRight, 5); // 9 at most
    EXPECT_EQ(o.Corpse->text(), "9");
    Panel::press(o.butleft, 12);
    EXPECT_EQ(o.Corpse->text(), "0");
    EXPECT_FALSE(o.chkKRVOpts[3]->isChecked());
    EXPECT_FALSE(o.chkKRVOpts[3]->isEnabled());
    EXPECT_EQ(o.TexLabel[1]->text(), "No corpse fade");
    o.butRight->click();
    EXPECT_TRUE(o.chkKRVOpts[3]->isEnabled());
    EXPECT_EQ(o.TexLabel[1]->text(), "Seconds before corpses fade");

    o.ChkGL->click(); // the delay belongs to the grenade launcher
    Panel::press(o.butRight2, 9);
    EXPECT_EQ(o.Timeout->text(), "7");
    Panel::press(o.butLeft2, 9);
    EXPECT_EQ(o.Timeout->text(), "0");
    EXPECT_EQ(o.ChkGL->text(), "Pipebomb launcher");
    o.butRight2->click();
    EXPECT_EQ(o.ChkGL->text(), "Grenade launcher");

    o.Ricotext->setText("0");
    o.RicoButton[0]->click(); // a box at 0 starts from 1
    EXPECT_EQ(o.Ricotext->text(), "1");
    Panel::press(o.RicoButton[1], 12);
    EXPECT_EQ(p.state.settings.ricochetValue, 9);
    EXPECT_TRUE(p.state.launch.ricochetChanged);
}

TEST(OptionsPanel, BasicDoomTakesTheModelOptionsAwayAndGivesBackOnlyWhatPacksAllow) {
    Panel p;
    writeFile(p.root / "Md2/HudWeapons/SuperShotgun/db-shells.md2", "the base pack");
    writeFile(p.root / "Md2/Brasken/Gore/hang1.jpg", "x"); // replacements only
    writeFile(p.root / "Md2/Brasken/Gore/Gore6.dmd", "x"); // of model pack 2
    writeFile(p.root / "Data/dtex/detail.wad", "PWAD");
    fs::create_directories(p.root / "Data/Patches"); // the patches check
    // With the core effects files the effects setting is the player's own.
    writeFile(p.root / "Md2/CoreEffects/fx.md2", "x");
    writeFile(p.root / "Defs/Base/CoreEffects.ded", "x");
    Settings s;
    s.highResTextures = false;
    p.load(s);
    OptionsPanel& o = *p.panel;
    o.chkMain[0]->click(); // Basic Doom on
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(o.chkAltModels[i]->isEnabled()) << i;
    EXPECT_FALSE(o.GunSmoke->isEnabled());
    EXPECT_FALSE(o.chkSound[2]->isEnabled());
    EXPECT_FALSE(o.chkGraphics[4]->isEnabled());
    EXPECT_TRUE(o.chkGraphics[2]->isEnabled()); // detail textures stay

    o.chkMain[0]->click(); // off again
    EXPECT_TRUE(o.chkAltModels[3]->isEnabled());
    EXPECT_FALSE(o.chkAltModels[1]->isEnabled()); // no Quilspack files
    EXPECT_TRUE(o.GunSmoke->isEnabled());
    EXPECT_TRUE(o.chkSound[2]->isEnabled());
    EXPECT_TRUE(o.chkGraphics[4]->isEnabled());
}

TEST(OptionsPanel, ModelOptionsWorkWithoutThePackAndTheDelayNeedsTheLauncher) {
    Panel p;
    fs::create_directories(p.root / "Md2/CoreEffects");
    writeFile(p.root / "Defs/Base/CoreEffects.ded", "x");
    Settings s;
    s.grenadeLauncher = false;
    p.load(s);
    OptionsPanel& o = *p.panel;
    o.RefreshModelPacks(); // the Models tab chosen
    EXPECT_TRUE(o.ChkModelOpts[3]->isEnabled());
    EXPECT_TRUE(o.ChkModelOpts[2]->isEnabled());
    EXPECT_FALSE(o.ChkModelOpts[1]->isEnabled());
    o.setGrenadeControlsEnabled(true); // a game-file selection
    EXPECT_FALSE(o.Timeout->isEnabled());
    EXPECT_FALSE(o.butRight2->isEnabled());
}

TEST(OptionsPanel, ACustomDefinitionIsAddedByNameOrPathAndQuilspackFilesAreRefused) {
    Panel p;
    p.load();
    QListWidget definitions;
    writeFile(p.root / "Elsewhere/other.ded", "x");
    const std::string other = (p.root / "Elsewhere/other.ded").string();
    for (const std::string& answer : {p.root.root() + "/Defs/Custom/mydefs.ded", other,
                                      p.root.root() + "/Defs/Custom/fullpack.ded"})
        p.platform.openFileAnswers.push_back(answer);
    for (int i = 0; i < 3; ++i)
        p.panel->addCustomDefinition(&definitions);
    EXPECT_TRUE(fs::is_directory(p.root / "Defs/Custom"));
    ASSERT_EQ(p.platform.openFileRequests.size(), 3u);
    EXPECT_EQ(p.platform.openFileRequests[0].title, "DED Files");
    ASSERT_EQ(definitions.count(), 2);
    EXPECT_EQ(definitions.item(0)->text(), "mydefs");
    EXPECT_EQ(definitions.item(1)->text().toStdString(), other);
    EXPECT_EQ(definitions.currentRow(), 1);
    ASSERT_EQ(p.platform.messages.size(), 1u);
    EXPECT_EQ(p.platform.messages[0].title, " Configuration warning");
}
