#include "compose_rig.h"

#include "launcher/platform/platform.h"

#include <gtest/gtest.h>

#include <functional>

using namespace krv;
using namespace krv::test;

namespace {

using IwadSetup = std::function<void(IwadLaunchInput&, ScriptedComposeEnvironment&)>;

struct IwadRow {
    const char* name;
    IwadSetup setup;
    std::string tail; // the line after the IWAD switch
};

ComposeResult composeIwad(const IwadSetup& setup, ScriptedComposeEnvironment& env) {
    IwadLaunchInput input = quietIwadInput(env);
    setup(input, env);
    return composeIwadLaunch(input, env);
}

void quilspackInstalled(LaunchInput& in, ScriptedComposeEnvironment& env) {
    in.quilspackFolder = kRoot + "/md2/Quilspack";
    env.files.insert(kRoot + "/md2/Quilspack/quilspack.wad");
}

const std::string kCmdRicochet4 = "-cmd \"audio-ricoh 4\" \"rend-light 0\" \"rend-smoke 0\" ";

} // namespace

TEST(ComposeIwad, EverySwitchOffGivesTheBareLine) {
    ScriptedComposeEnvironment env;
    IwadLaunchInput in = quietIwadInput(env);
    in.settings.highResPatches = false;
    in.settings.highResTextures = false;
    in.settings.splashEffects = false;
    in.corpseText = "9";
    const ComposeResult r = composeIwadLaunch(in, env);
    ASSERT_TRUE(r.launch);
    EXPECT_EQ(r.commandLine, "Bin\\Korvath -DOOM2 -np -nht -ch 128 -spx -ct 9 -cmd "
                             "\"rend-light 0\" \"rend-smoke 0\" ");
    EXPECT_TRUE(r.messages.empty());
    EXPECT_TRUE(r.state.launchInProgress);
}

TEST(ComposeIwad, WithoutTheCoreEffectsFilesTheEffectsSettingIsForcedOn) {
    for (const bool basicDoom : {false, true}) {
        ScriptedComposeEnvironment env;
        IwadLaunchInput in = quietIwadInput(env);
        const std::string texturePath = in.settings.texturePath;
        in.settings = Settings{};
        in.settings.texturePath = texturePath;
        in.settings.basicDoom = basicDoom;
        in.corpseText = "9";
        // No packs installed: their boxes are unavailable.
        in.boxes.modelReplacements = false;
        in.boxes.hiResSoundPack = false;
        in.boxes.highResTextures = false; // no texture folder either
        env.texture.usable = false;
        env.folders.erase(in.paths.modelFolder + "CoreEffects");
        const ComposeResult r = composeIwadLaunch(in, env);
        ASSERT_TRUE(r.launch);
        EXPECT_TRUE(r.settings.modelFx);
        EXPECT_TRUE(r.changes.effectsForced);
        EXPECT_EQ(r.commandLine,
                  basicDoom ? "Bin\\Korvath -DOOM2 -nht -3d -ch 128 -upm -ro -ct 9 -nc -xa -spf "
                              "-cmd \"rend-light 1\" "
                            : "Bin\\Korvath -DOOM2 -nht -3d -ch 128 -upm -usb -ro -ct 9 ");
    }
}

TEST(ComposeIwad, AnIwadTheEngineCannotFindIsNamedInFull) {
    ScriptedComposeEnvironment env;
    IwadLaunchInput in = quietIwadInput(env);
    const std::string elsewhere = "/home/me/My Games & Stuff/Doom2.wad";
    in.iwads.paths[static_cast<int>(IwadKind::Doom2)] = elsewhere;
    in.selectedIwadPath = elsewhere;
    env.files.insert(elsewhere);
    const ComposeResult r = composeIwadLaunch(in, env);
    EXPECT_EQ(tailAfter(r, "Bin\\Korvath -iwad \"" + elsewhere + "\" "), kQuietTail);
    EXPECT_EQ(r.selection.iwadPath, elsewhere);
}

TEST(ComposeIwad, AMissingIwadShowsTheSetupErrorThenTheIwadDialog) {
    ScriptedComposeEnvironment env;
    IwadLaunchInput in = quietIwadInput(env);
    env.files.erase(kDoom2);
    const ComposeResult r = composeIwadLaunch(in, env);
    EXPECT_FALSE(r.launch);
    EXPECT_TRUE(r.commandLine.empty());
    EXPECT_FALSE(r.state.launchInProgress);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], (ComposeMessage{" Setup error",
                                             "There appears to be a problem with the IWAD "
                                             "location.\r\nReset Iwads and do a search or enter "
                                             "new locations.",
                                             msg::kInformation}));
    EXPECT_EQ(env.log.back(), "iwad dialog");
    EXPECT_EQ(env.log[env.log.size() - 2], "message Setup error");

    // An earlier launch still in progress stays so.
    in.state.launchInProgress = true;
    EXPECT_TRUE(composeIwadLaunch(in, env).state.launchInProgress);

    // An unregistered kind is the same problem.
    ScriptedComposeEnvironment env2;
    IwadLaunchInput shareware = quietIwadInput(env2);
    shareware.selectedIwadPath = "/krv/Doom1.wad";
    env2.files.insert(shareware.selectedIwadPath);
    EXPECT_FALSE(composeIwadLaunch(shareware, env2).launch);
    EXPECT_EQ(env2.log.back(), "iwad dialog");
}

TEST(ComposeIwad, EachOptionInItsOnAndBlockedStates) {
    const std::vector<IwadRow> rows = {
        {"quiet", [](auto&, auto&) {}, kQuietTail},
        {"quilspack weapons",
         [](auto& in, auto& env) {
             in.settings.quilspackWeapons = true;
             quilspackInstalled(in, env);
         },
         "-fp " + kQuietTail},
        {"quilspack weapons, box disabled",
         [](auto& in, auto& env) {
             in.settings.quilspackWeapons = true;
             in.boxes.quilspackWeapons = false;
             quilspackInstalled(in, env);
         },
         kQuietTail},
        {"quilspack weapons in edit mode",
         [](auto& in, auto& env) {
             in.settings.quilspackWeapons = true;
             in.settings.editMode = true;
             quilspackInstalled(in, env);
         },
         kQuietTail + "-txe "},
        {"quilspack alternative weapons",
         [](auto& in, auto& env) {
             in.settings.quilspackAltWeapons = true;
             quilspackInstalled(in, env);
         },
         "-ap " + kQuietTail},
        {"model replacements", [](auto& in, auto&) { in.settings.braskenQuilsModels = true; },
         "-am " + kQuietTail},
        {"model replacements with core effects",
         [](auto& in, auto&) {
             in.settings.braskenQuilsModels = true;
             in.settings.coreEffects = true;
         },
         "-ch 128 -xa -spf " + kQuietCmd},
        {"hi-res patches off", [](auto& in, auto&) { in.settings.highResPatches = false; },
         "-np " + kQuietTail},
        {"hi-res textures off", [](auto& in, auto&) { in.settings.highResTextures = false; },
         "-nht " + kQuietTail},
        {"custom texture folder",
         [](auto& in, auto& env) {
             in.settings.texturePath = "/hires/My Tex";
             env.folders.insert("/hires/My Tex");
             env.texture = {true, "/hires/My Tex", " /hires/My Tex "};
         },
         "-td \"/hires/My Tex\" " + kQuietTail},
        {"default texture folder in other case",
         [](auto& in, auto& env) {
             in.settings.texturePath = "/krv/data/textures";
             env.folders.insert("/krv/data/textures");
             env.texture = {true, "/krv/data/textures", "/KRV/DATA/TEXTURES"};
         },
         kQuietTail},
        {"disable sound",
         [](auto& in, auto&) {
             in.settings.disableSound = true;
             in.settings.disableMusic = true;
             in.settings.sound3d = true;
             in.settings.forceFmodMidi = true;
         },
         "-nosound " + kQuietCmd},
        {"hi-res sound pack", [](auto& in, auto&) { in.settings.hiResSoundPack = true; },
         "-data pk_doom_sfx.wad " + kQuietTail},
        {"hi-res sound pack, box disabled",
         [](auto& in, auto&) {
             in.settings.hiResSoundPack = true;
             in.boxes.hiResSoundPack = false;
         },
         kQuietTail},
        {"3D sound", [](auto& in, auto&) { in.settings.sound3d = true; }, "-3d " + kQuietTail},
        {"64 channels", [](auto& in, auto&) { in.settings.audioChannels = 64; },
         "-ch 64 " + kQuietCmd},
        {"0 channels", [](auto& in, auto&) { in.settings.audioChannels = 0; }, kQuietTail},
        {"scaling 3", [](auto& in, auto&) { in.settings.textureScaling = 3; },
         "-ch 128 -dsst 3 " + kQuietCmd},
        {"scaling 3, list disabled",
         [](auto& in, auto&) {
             in.settings.textureScaling = 3;
             in.boxes.scaler = false;
         },
         kQuietTail},
        {"disable music",
         [](auto& in, auto&) {
             in.settings.disableMusic = true;
             in.settings.forceFmodMidi = true;
             in.settings.ignorePlaylistIfCustomMusic = true;
         },
         "-ch 128 -nomusic " + kQuietCmd},
        {"ignore playlist and fmod midi",
         [](auto& in, auto&) {
             in.settings.ignorePlaylistIfCustomMusic = true;
             in.settings.forceFmodMidi = true;
         },
         "-ch 128 -upm -FMODmidi " + kQuietCmd},
        {"ignore playlist and fmod midi, boxes disabled",
         [](auto& in, auto&) {
             in.settings.ignorePlaylistIfCustomMusic = true;
             in.settings.forceFmodMidi = true;
             in.boxes.ignorePlaylist = false;
             in.boxes.forceFmodMidi = false;
         },
         kQuietTail},
        {"core effects", [](auto& in, auto&) { in.settings.coreEffects = true; },
         "-ch 128 -xa -spf " + kQuietCmd},
        {"core effects box disabled", [](auto& in, auto&) { in.boxes.coreEffects = false; },
         "-ch 128 -xa -spf " + kQuietCmd},
        {"extra fx", [](auto& in, auto&) { in.settings.extraFx = true; },
         "-ch 128 -fx " + kQuietCmd},
        {"pistol zombies",
         [](auto& in, auto&) {
             in.settings.braskenPistolZombies = true;
             in.settings.braskenQuilsModels = true;
         },
         "-am -ch 128 -spz " + kQuietCmd},
        {"pistol zombies with core effects and no monsters",
         [](auto& in, auto&) {
             in.settings.braskenPistolZombies = true;
             in.settings.braskenQuilsModels = true;
             in.settings.coreEffects = true;
             in.settings.noMonsters = true;
         },
         "-ch 128 -xa -spf -nm " + kQuietCmd},
        {"pistol zombies without replacements",
         [](auto& in, auto&) { in.settings.braskenPistolZombies = true; }, kQuietTail},
        {"disable mouse", [](auto& in, auto&) { in.settings.disableMouse = true; },
         "-ch 128 -nomouse " + kQuietCmd},
        {"no splash", [](auto& in, auto&) { in.settings.splashEffects = false; },
         "-ch 128 -spx " + kQuietCmd},
        {"monster options",
         [](auto& in, auto&) {
             in.settings.monsterRespawn = true;
             in.settings.noSameTypeInfighting = true;
             in.settings.noLostSoulInfighting = true;
             in.settings.skyboxes = true;
         },
         "-ch 128 -respawn -noif1 -noif2 -usb " + kQuietCmd},
        {"monster options without monsters",
         [](auto& in, auto&) {
             in.settings.monsterRespawn = true;
             in.settings.noSameTypeInfighting = true;
             in.settings.noLostSoulInfighting = true;
             in.settings.fastMonsters = true;
             in.settings.corpseFade = true;
             in.corpseText = "5";
             in.settings.noMonsters = true;
         },
         "-ch 128 -nm " + kQuietCmd},
        {"grenade launcher", [](auto& in, auto&) { in.settings.grenadeLauncher = true; },
         "-ch 128 -gnd 2 " + kQuietCmd},
        {"pipe bombs",
         [](auto& in, auto&) {
             in.settings.grenadeLauncher = true;
             in.settings.grenadeTimer = 0;
         },
         "-ch 128 -pbm " + kQuietCmd},
        {"detail textures with hi-res textures",
         [](auto& in, auto&) { in.settings.detailTextures = true; }, kQuietTail},
        {"detail textures",
         [](auto& in, auto&) {
             in.settings.detailTextures = true;
             in.settings.highResTextures = false;
         },
         "-nht -ch 128 -dt " + kQuietCmd},
        {"disable joystick", [](auto& in, auto&) { in.settings.disableJoystick = true; },
         "-ch 128 -nojoy " + kQuietCmd},
        {"skyboxes kind 1",
         [](auto& in, auto&) {
             in.settings.skyboxes = true;
             in.settings.skyboxKind = 1;
         },
         "-ch 128 -fsb " + kQuietCmd},
        {"corpse fade", [](auto& in, auto&) { in.settings.corpseFade = true; },
         "-ch 128 -ro " + kQuietCmd},
        {"corpse seconds", [](auto& in, auto&) { in.corpseText = "7"; },
         "-ch 128 -ct 7 " + kQuietCmd},
        {"ricochets", [](auto& in, auto&) { in.settings.ricochets = true; },
         "-ch 128 " + kCmdRicochet4},
        {"ricochets off after a change", [](auto& in, auto&) { in.state.ricochetChanged = true; },
         "-ch 128 -cmd \"audio-ricoh 0\" \"rend-light 0\" \"rend-smoke 0\" "},
        {"lighting and smoke kind 1",
         [](auto& in, auto&) {
             in.settings.dynamicLighting = true;
             in.settings.gunSmoke = true;
             in.settings.smokeKind = 1;
         },
         "-ch 128 -cmd \"rend-light 1\" \"rend-smoke 1\" -smn "},
        {"fx", [](auto& in, auto&) { in.settings.modelFx = true; }, "-ch 128 "},
        {"fast monsters", [](auto& in, auto&) { in.settings.fastMonsters = true; },
         kQuietTail + "-fast "},
        {"basic doom", [](auto& in, auto&) { in.settings.basicDoom = true; }, "-ch 128 -nc -nws "},
        {"basic doom with fx",
         [](auto& in, auto&) {
             in.settings.basicDoom = true;
             in.settings.modelFx = true;
             in.settings.splashEffects = false;
             in.settings.dynamicLighting = true;
         },
         "-ch 128 -nc -xa -spf -spx -cmd \"rend-light 1\" "},
        {"verbose", [](auto& in, auto&) { in.settings.verbose = true; }, kQuietTail + "-v "},
        {"edit mode with its options",
         [](auto& in, auto&) {
             in.settings.editMode = true;
             in.settings.noObjects = true;
             in.settings.light = true;
             in.settings.developmentMode = true;
         },
         kQuietTail + "-txe -txn -txa 200 "},
        {"skill and warp",
         [](auto& in, auto&) {
             in.settings.skill = 3;
             in.selection.startKind = StartKind::Warp;
             in.selection.warpMap = "1 1";
         },
         kQuietTail + "-sk 3 -wp 1 1 "},
        {"warp without skill",
         [](auto& in, auto&) {
             in.selection.startKind = StartKind::Warp;
             in.selection.warpMap = "07";
         },
         kQuietTail + "-wp 07 "},
        {"load game",
         [](auto& in, auto&) {
             in.settings.skill = 4;
             in.selection.startKind = StartKind::LoadGame;
             in.selection.loadSlot = "5";
         },
         kQuietTail + "-sk 4 -loadgame 5 "},
        {"normal start with skill", [](auto& in, auto&) { in.settings.skill = 4; }, kQuietTail},
        {"custom text", [](auto& in, auto&) { in.settings.customCommandLine = "-nocheat"; },
         kQuietTail + "-nocheat "},
    };
    for (const IwadRow& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedComposeEnvironment env;
        EXPECT_EQ(tailAfter(composeIwad(row.setup, env), kIwadPrefix), row.tail);
    }
}

TEST(ComposeIwad, SwitchesComeInTheirFixedOrder) {
    ScriptedComposeEnvironment env;
    const ComposeResult r = composeIwad(
        [](IwadLaunchInput& in, ScriptedComposeEnvironment& env) {
            Settings& s = in.settings;
            quilspackInstalled(in, env);
            s.quilspackWeapons = s.quilspackAltWeapons = s.braskenQuilsModels = true;
            s.highResPatches = false;
            s.hiResSoundPack = s.sound3d = true;
            s.textureScaling = 2;
            s.playlistManual = true;
            s.manualPlaylist = "Mine";
            env.files.insert(in.paths.musicFolder + "Mine.krm");
            s.ignorePlaylistIfCustomMusic = s.forceFmodMidi = true;
            in.boxes.coreEffects = false;
            s.extraFx = s.braskenPistolZombies = s.disableMouse = true;
            s.splashEffects = false;
            s.monsterRespawn = s.noSameTypeInfighting = s.noLostSoulInfighting = true;
            s.grenadeLauncher = true;
            s.grenadeTimer = 5;
            s.disableJoystick = s.skyboxes = s.corpseFade = true;
            in.corpseText = "3";
            s.ricochets = s.dynamicLighting = s.gunSmoke = true;
            s.ricochetValue = 6;
            s.smokeKind = 1;
            s.fastMonsters = s.verbose = true;
            s.skill = 2;
            in.selection.startKind = StartKind::Warp;
            in.selection.warpMap = "12";
            s.customCommandLine = "-file extra.wad";
        },
        env);
    EXPECT_EQ(tailAfter(r, kIwadPrefix),
              "-fp -ap -am -np -data pk_doom_sfx.wad -3d -ch 128 -dsst 2 -extmus \"Mine\" -upm "
              "-FMODmidi -xa -spf -fx -spz -nomouse -spx -respawn -noif1 -noif2 -gnd 5 -nojoy "
              "-usb -ro -ct 3 -cmd \"audio-ricoh 6\" \"rend-light 1\" \"rend-smoke 1\" -smn "
              "-fast -v -sk 2 -wp 12 -file extra.wad ");
}

TEST(ComposeIwad, PlaylistsGoByBaseNameAndOnlyWhenTheirFileExists) {
    const auto compose = [](const std::string& manual, bool manualFile, AutoPlaylist chosen,
                            bool autoFile, ScriptedComposeEnvironment& env) {
        return composeIwad(
            [&](IwadLaunchInput& in, ScriptedComposeEnvironment& e) {
                in.settings.playlistManual = true;
                in.settings.manualPlaylist = manual;
                in.settings.playlistAuto = true;
                e.autoPlaylists[kDoom2] = chosen;
                if (manualFile)
                    e.files.insert(in.paths.musicFolder + manual + ".krm");
                if (autoFile)
                    e.files.insert(in.paths.musicFolder + chosen.name + ".krm");
            },
            env);
    };
    ScriptedComposeEnvironment env;
    EXPECT_EQ(tailAfter(compose("Tiber - Doom & Doom2", true, {"Dunmóre - TNT", true}, true, env),
                        kIwadPrefix),
              "-ch 128 -extmus \"Tiber - Doom & Doom2\" -extmus \"Dunmóre - TNT\" " + kQuietCmd);
    EXPECT_EQ(env.log.back(), "auto playlist " + kDoom2);

    ScriptedComposeEnvironment dotted;
    EXPECT_EQ(tailAfter(compose("Mix v1.2", true, {"Auto", false}, true, dotted), kIwadPrefix),
              "-ch 128 -extmus \"Mix v1\" " + kQuietCmd);

    ScriptedComposeEnvironment missing;
    EXPECT_EQ(tailAfter(compose("Gone", false, {"Gone too", true}, false, missing), kIwadPrefix),
              kQuietTail);
}

TEST(ComposeIwad, TheRicochetCommandGoesOutOnceAfterAChange) {
    ScriptedComposeEnvironment env;
    IwadLaunchInput in = quietIwadInput(env);
    in.state.ricochetChanged = true; // the ricochet value was changed on the sound tab
    in.settings.ricochets = true;
    // The box is checked, so each preparation sets the flag again...
    ComposeResult first = composeIwadLaunch(in, env);
    EXPECT_EQ(tailAfter(first, kIwadPrefix), "-ch 128 " + kCmdRicochet4);
    in.state = first.state;
    in.state.ricochetChanged = false; // ...the launch tail clears it before the start
    EXPECT_EQ(tailAfter(composeIwadLaunch(in, env), kIwadPrefix), "-ch 128 " + kCmdRicochet4);

    // ...but with the box unchecked only the launch after the change sends it.
    in.settings.ricochets = false;
    in.state.ricochetChanged = true;
    first = composeIwadLaunch(in, env);
    EXPECT_EQ(tailAfter(first, kIwadPrefix),
              "-ch 128 -cmd \"audio-ricoh 0\" \"rend-light 0\" \"rend-smoke 0\" ");
    in.state = first.state;
    in.state.ricochetChanged = false;
    EXPECT_EQ(tailAfter(composeIwadLaunch(in, env), kIwadPrefix), kQuietTail);

    // With Basic Doom the preparation leaves the flag alone.
    in.settings.ricochets = true;
    in.settings.basicDoom = true;
    EXPECT_FALSE(composeIwadLaunch(in, env).state.ricochetChanged);
}
