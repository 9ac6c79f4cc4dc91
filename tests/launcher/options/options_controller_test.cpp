// The option tabs' rules on the session model alone, without a window: the
// number boxes, "Basic Doom" and the model options, and the custom
// definition files.
#include "launcher/options/option_controls.h"
#include "launcher/options/options_controller.h"
#include "launcher/platform/scripted_platform.h"
#include "support/install_root.h"

#include "common/ci_path.h"

#include <gtest/gtest.h>

using namespace krv;
using namespace krv::ids;
using krv::test::writeFile;
namespace fs = std::filesystem;

namespace {

constexpr ControlId kMusicFrame{"MusicFrame"};

struct Options {
    test::InstallRoot root;
    InstallPaths paths = InstallPaths::fromRoot(root.root());
    SessionModel model;
    ScriptedPlatform platform;
    Controls& c = model.controls;
    OptionsController options{model, paths, platform, (declareFrame(), kMusicFrame)};

    void declareFrame() { c.add(kMusicFrame, ControlKind::Frame); }
    // The window's load as far as the tabs go: the packs found, the stored
    // settings in the controls, the rules and captions that follow them.
    void load(const Settings& stored = {}) {
        model.settings = stored;
        model.content.detailTexturesAvailable = ci::isFile(root.root() + "/data/dtex/detail.wad");
        options.prepareModelOptions();
        options.settingsToControls(model.settings);
        options.applyOptionRules();
        options.setSettingCaptions();
        options.noteSkyboxes();
        options.RefreshModelPacks();
    }
    void press(ControlId button, int times) {
        for (int i = 0; i < times; ++i)
            c.click(button);
    }
};

} // namespace

TEST(OptionRules, NumberBoxesStopAtTheirLimitsAndRenameTheirOptions) {
    Options o;
    o.load();
    Controls& c = o.c;
    o.press(butRight, 5); // 9 at most
    EXPECT_EQ(c.text(Corpse), "9");
    o.press(butleft, 12);
    EXPECT_EQ(c.text(Corpse), "0");
    EXPECT_FALSE(c.isChecked(chkKRVOpts[3]));
    EXPECT_FALSE(c.isEnabled(chkKRVOpts[3]));
    EXPECT_EQ(c.text(TexLabel[1]), "No corpse fade");
    c.click(butRight);
    EXPECT_TRUE(c.isEnabled(chkKRVOpts[3]));
    EXPECT_EQ(c.text(TexLabel[1]), "Seconds before corpses fade");

    c.click(ChkGL); // the delay belongs to the grenade launcher
    o.press(butRight2, 9);
    EXPECT_EQ(c.text(Timeout), "7");
    o.press(butLeft2, 9);
    EXPECT_EQ(c.text(Timeout), "0");
    EXPECT_EQ(c.text(ChkGL), "Pipebomb launcher");
    c.click(butRight2);
    EXPECT_EQ(c.text(ChkGL), "Grenade launcher");

    c.setText(Ricotext, "0");
    c.click(RicoButton[0]); // a box at 0 starts from 1
    EXPECT_EQ(c.text(Ricotext), "1");
    o.press(RicoButton[1], 12);
    EXPECT_EQ(o.model.settings.ricochetValue, 9);
    EXPECT_TRUE(o.model.launch.ricochetChanged);
}

TEST(OptionRules, BasicDoomTakesTheModelOptionsAwayAndGivesBackOnlyWhatPacksAllow) {
    Options o;
    writeFile(o.root / "Md2/HudWeapons/SuperShotgun/db-shells.md2", "the base pack");
    writeFile(o.root / "Md2/Brasken/Gore/hang1.jpg", "x"); // replacements only
    writeFile(o.root / "Md2/Brasken/Gore/Gore6.dmd", "x"); // of model pack 2
    writeFile(o.root / "Data/dtex/detail.wad", "PWAD");
    fs::create_directories(o.root / "Data/Patches"); // the patches check
    // With the core effects files the effects setting is the player's own.
    writeFile(o.root / "Md2/CoreEffects/fx.md2", "x");
    writeFile(o.root / "Defs/Base/CoreEffects.ded", "x");
    Settings s;
    s.highResTextures = false;
    o.load(s);
    Controls& c = o.c;
    c.click(chkMain[0]); // Basic Doom on
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(c.isEnabled(chkAltModels[i])) << i;
    EXPECT_FALSE(c.isEnabled(GunSmoke));
    EXPECT_FALSE(c.isEnabled(chkSound[2]));
    EXPECT_FALSE(c.isEnabled(chkGraphics[4]));
    EXPECT_TRUE(c.isEnabled(chkGraphics[2])); // detail textures stay

    c.click(chkMain[0]); // off again
    EXPECT_TRUE(c.isEnabled(chkAltModels[3]));
    EXPECT_FALSE(c.isEnabled(chkAltModels[1])); // no Quilspack files
    EXPECT_TRUE(c.isEnabled(GunSmoke));
    EXPECT_TRUE(c.isEnabled(chkSound[2]));
    EXPECT_TRUE(c.isEnabled(chkGraphics[4]));
}

TEST(OptionRules, ModelOptionsWorkWithoutThePackAndTheDelayNeedsTheLauncher) {
    Options o;
    fs::create_directories(o.root / "Md2/CoreEffects");
    writeFile(o.root / "Defs/Base/CoreEffects.ded", "x");
    Settings s;
    s.grenadeLauncher = false;
    o.load(s);
    Controls& c = o.c;
    o.options.RefreshModelPacks(); // the Models tab chosen
    EXPECT_TRUE(c.isEnabled(ChkModelOpts[3]));
    EXPECT_TRUE(c.isEnabled(ChkModelOpts[2]));
    EXPECT_FALSE(c.isEnabled(ChkModelOpts[1]));
    o.options.setGrenadeControlsEnabled(true); // a game-file selection
    EXPECT_FALSE(c.isEnabled(Timeout));
    EXPECT_FALSE(c.isEnabled(butRight2));
}

TEST(OptionRules, ACustomDefinitionIsAddedByNameOrPathAndQuilspackFilesAreRefused) {
    Options o;
    o.load();
    writeFile(o.root / "Elsewhere/other.ded", "x");
    const std::string other = (o.root / "Elsewhere/other.ded").string();
    for (const std::string& answer : {o.root.root() + "/Defs/Custom/mydefs.ded", other,
                                      o.root.root() + "/Defs/Custom/fullpack.ded"})
        o.platform.openFileAnswers.push_back(answer);
    std::vector<std::string> entries;
    for (int i = 0; i < 3; ++i)
        if (const auto entry = o.options.chooseCustomDefinition())
            entries.push_back(*entry);
    EXPECT_TRUE(fs::is_directory(o.root / "Defs/Custom"));
    ASSERT_EQ(o.platform.openFileRequests.size(), 3u);
    EXPECT_EQ(o.platform.openFileRequests[0].title, "DED Files");
    EXPECT_EQ(entries, (std::vector<std::string>{"mydefs", other}));
    ASSERT_EQ(o.platform.messages.size(), 1u);
    EXPECT_EQ(o.platform.messages[0].title, " Configuration warning");
}
