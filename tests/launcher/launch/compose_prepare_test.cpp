#include "compose_rig.h"

#include "launcher/platform/platform.h"

#include <gtest/gtest.h>

using namespace krv;
using namespace krv::test;

TEST(ComposePreparation, TheEffectiveLaunchModeFollowsTheChoiceUnlessForAShortcut) {
    ScriptedComposeEnvironment env;
    IwadLaunchInput in = quietIwadInput(env);
    in.settings.launchMode = 2;
    in.state.effectiveLaunchMode = 0;
    EXPECT_EQ(composeIwadLaunch(in, env).state.effectiveLaunchMode, 2);
    in.shortcutMode = true;
    EXPECT_EQ(composeIwadLaunch(in, env).state.effectiveLaunchMode, 0);
}

TEST(ComposePreparation, AvailabilityChecksOnlyMakeBoxesAvailable) {
    ScriptedComposeEnvironment env;
    IwadLaunchInput in = quietIwadInput(env);
    in.boxes.highResPatches = in.boxes.detailTextures = in.boxes.skyboxes = false;
    in.boxes.hiResSoundPack = false;
    in.boxes.highResTextures = false;
    in.settings.hiResSoundPack = true;
    const ComposeResult none = composeIwadLaunch(in, env);
    EXPECT_FALSE(none.boxes.highResPatches);
    EXPECT_FALSE(none.boxes.detailTextures);
    EXPECT_FALSE(none.boxes.skyboxes);
    EXPECT_FALSE(none.boxes.hiResSoundPack);
    EXPECT_TRUE(none.boxes.highResTextures); // the texture folder check passed
    EXPECT_FALSE(none.changes.highResTexturesOff);

    env.files.insert("/krv/data/patches/stbar.png");
    env.files.insert("/krv/data/dtex/detail.wad");
    env.folders.insert("/krv/data/Skyboxes");
    env.files.insert("/krv/data/pk_doom_sfx.wad");
    const ComposeResult all = composeIwadLaunch(in, env);
    EXPECT_TRUE(all.boxes.highResPatches);
    EXPECT_TRUE(all.boxes.detailTextures);
    EXPECT_TRUE(all.boxes.skyboxes);
    EXPECT_TRUE(all.boxes.hiResSoundPack);
    EXPECT_EQ(tailAfter(all, kIwadPrefix), "-data pk_doom_sfx.wad " + kQuietTail);

    // Basic Doom skips both checks; a disabled sound keeps the pack unavailable.
    in.settings.basicDoom = true;
    const ComposeResult basic = composeIwadLaunch(in, env);
    EXPECT_FALSE(basic.boxes.highResPatches);
    EXPECT_FALSE(basic.boxes.hiResSoundPack);
    in.settings.basicDoom = false;
    in.settings.disableSound = true;
    EXPECT_FALSE(composeIwadLaunch(in, env).boxes.hiResSoundPack);
}

TEST(ComposePreparation, AnUnusableTextureFolderTurnsHighResTexturesOff) {
    ScriptedComposeEnvironment env;
    IwadLaunchInput in = quietIwadInput(env);
    env.texture = {false, "/gone", "/gone"};
    const ComposeResult r = composeIwadLaunch(in, env);
    EXPECT_FALSE(r.boxes.highResTextures);
    EXPECT_EQ(r.textureLabel, "Not installed or the specified path is invalid");
    EXPECT_FALSE(r.settings.highResTextures);
    EXPECT_TRUE(r.changes.highResTexturesOff);
    EXPECT_EQ(tailAfter(r, kIwadPrefix), "-nht " + kQuietTail);

    // The check may move the folder to the default one.
    env.texture = {true, "/krv/Data/Textures", "/krv/Data/Textures"};
    in.settings.texturePath = "/moved away";
    const ComposeResult moved = composeIwadLaunch(in, env);
    EXPECT_EQ(moved.settings.texturePath, "/krv/Data/Textures");
    EXPECT_FALSE(moved.textureLabel);
}

TEST(ComposePreparation, IncompatibleHudWeaponsDropTheModelReplacements) {
    const std::string base = "/krv/Defs/Model/hudweapons.ded";
    const std::string brasken = "/krv/Defs/Model/Brasken/hudweapons.ded";
    const std::string v10 = "# HWeapons version 10 - do not edit this line,x";
    const auto prepare = [&](ScriptedComposeEnvironment& env, const std::string& baseLine,
                             const std::string& braskenLine) {
        env.files.insert(base);
        env.files.insert(brasken);
        env.firstLines[base] = baseLine;
        env.firstLines[brasken] = braskenLine;
    };
    {
        ScriptedComposeEnvironment env;
        prepare(env, "# hweapons version 9", v10);
        IwadLaunchInput in = quietIwadInput(env);
        in.settings.braskenQuilsModels = true;
        const ComposeResult r = composeIwadLaunch(in, env);
        EXPECT_EQ(r.messages,
                  (std::vector<ComposeMessage>{
                      {" Launch error",
                       "There is a compatibility issue between the standard and enhanced models, "
                       "enhanced models will not be used\r\nupdate to the latest model packs.  ",
                       msg::kInformation}}));
        EXPECT_FALSE(r.settings.braskenQuilsModels);
        EXPECT_TRUE(r.changes.modelReplacementsOff);
        EXPECT_EQ(tailAfter(r, kIwadPrefix), kQuietTail); // no "-am"
    }
    {
        ScriptedComposeEnvironment env;
        prepare(env, v10, "");
        GameLaunchInput in = quietGameInput(env);
        in.settings.braskenQuilsModels = true;
        const ComposeResult r = composeGameLaunch(in, env);
        ASSERT_EQ(r.messages.size(), 1u);
        EXPECT_EQ(r.messages[0].text,
                  " There is a compatibility issue between the standard and enhanced models,  "
                  "\r\n  Enhanced models will not be used  - update to the latest model packs.  ");
        EXPECT_TRUE(r.launch);
    }
    {
        ScriptedComposeEnvironment env;
        prepare(env, v10, v10);
        IwadLaunchInput in = quietIwadInput(env);
        in.settings.braskenQuilsModels = true;
        const ComposeResult r = composeIwadLaunch(in, env);
        EXPECT_TRUE(r.messages.empty());
        EXPECT_EQ(tailAfter(r, kIwadPrefix), "-am " + kQuietTail);
    }
}

TEST(ComposePreparation, AMissingQuilspackWadTurnsBothQuilspackOptionsOff) {
    ScriptedComposeEnvironment env;
    GameLaunchInput in = quietGameInput(env);
    in.settings.quilspackWeapons = in.settings.quilspackAltWeapons = true;
    in.quilspackFolder = "/krv/md2/Quilspack";
    const ComposeResult r = composeGameLaunch(in, env);
    EXPECT_EQ(r.messages, (std::vector<ComposeMessage>{
                              {" Launch error",
                               " Unable to use quilspack as the quilspack.wad was not found.  ",
                               msg::kInformation}}));
    EXPECT_FALSE(r.settings.quilspackWeapons);
    EXPECT_FALSE(r.settings.quilspackAltWeapons);
    EXPECT_TRUE(r.changes.quilspackOff);
    EXPECT_EQ(tailAfter(r, kGamePrefix), kQuietTail);

    // Without the pack at start-up there is no folder to look in at all.
    in.quilspackFolder.clear();
    env.files.insert("quilspack.wad");
    env.files.insert("/quilspack.wad");
    EXPECT_TRUE(composeGameLaunch(in, env).changes.quilspackOff);

    // Core effects make the Quilspack irrelevant.
    in.settings.coreEffects = true;
    EXPECT_TRUE(composeGameLaunch(in, env).messages.empty());
}
