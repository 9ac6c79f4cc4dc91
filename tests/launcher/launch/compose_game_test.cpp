#include "compose_rig.h"

#include "launcher/platform/platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace krv;
using namespace krv::test;

namespace {

using GameSetup = std::function<void(GameLaunchInput&, ScriptedComposeEnvironment&)>;

ComposeResult composeGame(const GameSetup& setup, ScriptedComposeEnvironment& env) {
    GameLaunchInput input = quietGameInput(env);
    setup(input, env);
    return composeGameLaunch(input, env);
}

bool logged(const ScriptedComposeEnvironment& env, const std::string& entry) {
    return std::find(env.log.begin(), env.log.end(), entry) != env.log.end();
}

const std::string kCastleFolder = "/krv/KRVGames/Castle/Pwads/";
const std::string kCastleWad = kCastleFolder + "castle.wad";
const std::string kCastlePrefix = "Bin\\Korvath -DOOM2 -udir \"Castle\" ";

// A manual-loading game with a second wad, a patch and a definition file.
void manualCastle(GameLaunchInput& in) {
    in.manualLoadingGame = true;
    in.mainWad = kCastleWad;
    in.currentGameFolder = kCastleFolder;
    in.loadList.inGameFolder = true;
    in.loadList.gameFolder = "Castle";
    in.loadList.files = {{kCastleWad},
                         {kCastleFolder + "extra.WAD"},
                         {kCastleFolder + "fix.deh"},
                         {kCastleFolder + "defs.ded"}};
}

// An installed scripted map of the maker's table.
void scriptedCastle(GameLaunchInput& in, ScriptedComposeEnvironment& env) {
    manualCastle(in);
    in.loadList.files = {{kCastleWad}};
    in.scriptedMapSelected = true;
    env.scriptedMaps["Castle"] = ScriptedMapStatus::Installed;
}

void autoLoading(GameLaunchInput& in) {
    in.autoLoadingGame = true;
    in.mainWad = "/krv/KRVGames/My Game/Gwads/map01.wad";
    in.currentGameFolder = "/krv/KRVGames/My Game/Gwads/";
    in.selectedGameFile = "map01.wad";
    in.firstMapEntry = "MAP01";
    in.loadList.inGameFolder = true;
    in.loadList.gameFolder = "My Game";
}

const std::string kZips = "/krv/KRVLaunch/Zips/";

} // namespace

TEST(ComposeGame, SwitchesThatDifferFromTheIwadComposer) {
    struct Row {
        const char* name;
        GameSetup setup;
        std::string tail;
    };
    const std::vector<Row> rows = {
        {"quiet", [](auto&, auto&) {}, kQuietTail},
        {"respawn after the skyboxes",
         [](auto& in, auto&) {
             in.settings.monsterRespawn = true;
             in.settings.noSameTypeInfighting = true;
             in.settings.noLostSoulInfighting = true;
             in.settings.splashEffects = false;
             in.settings.skyboxes = true;
             in.settings.grenadeLauncher = true;
         },
         "-ch 128 -gnd 2 -usb -spx -ReSpawn -noif1 -noif2 " + kQuietCmd},
        {"ricochet after the smoke", [](auto& in, auto&) { in.settings.ricochets = true; },
         "-ch 128 -cmd \"rend-light 0\" \"rend-smoke 0\" \"audio-ricoh 4\" "},
        {"core effects", [](auto& in, auto&) { in.settings.coreEffects = true; },
         "-ch 128 -xa -spf " + kQuietCmd},
        {"core effects box disabled only", [](auto& in, auto&) { in.boxes.coreEffects = false; },
         kQuietTail},
        {"no core effects files with Basic Doom",
         [](auto& in, auto& env) {
             env.folders.erase(in.paths.modelFolder + "CoreEffects");
             in.settings.basicDoom = true;
         },
         "-ch 128 -nc -xa -spf -cmd \"rend-light 0\" "},
        {"no forced models", [](auto& in, auto&) { in.settings.noForcedModels = true; },
         "-ch 128 -noamwds " + kQuietCmd},
        {"no forced models, box disabled",
         [](auto& in, auto&) {
             in.settings.noForcedModels = true;
             in.boxes.noForcedModels = false;
         },
         kQuietTail},
        {"grenade launcher box disabled",
         [](auto& in, auto&) {
             in.settings.grenadeLauncher = true;
             in.boxes.grenadeLauncher = false;
         },
         kQuietTail},
        {"fx keeps the console commands", [](auto& in, auto&) { in.settings.modelFx = true; },
         kQuietTail},
        {"development and edit mode",
         [](auto& in, auto&) {
             in.settings.developmentMode = true;
             in.settings.editMode = true;
         },
         "-devmap -debug_scp -listloresfm " + kQuietTail + "-txe -lean "},
        {"texture folder dropped by basic doom",
         [](auto& in, auto& env) {
             in.settings.basicDoom = true;
             in.settings.texturePath = "/hires";
             in.texFormFolderText = "/hires";
             env.folders.insert("/hires");
         },
         "-ch 128 -nc -nws "},
        {"skill 0 drops the warp",
         [](auto& in, auto&) {
             in.selection.startKind = StartKind::Warp;
             in.selection.warpMap = "05";
         },
         kQuietTail},
        {"skill and warp",
         [](auto& in, auto&) {
             in.settings.skill = 2;
             in.selection.startKind = StartKind::Warp;
             in.selection.warpMap = "05";
         },
         kQuietTail + "-sk 2 -wp 05 "},
        {"skill and savegame",
         [](auto& in, auto&) {
             in.settings.skill = 5;
             in.selection.startKind = StartKind::LoadGame;
             in.selection.loadSlot = "3";
         },
         kQuietTail + "-sk 5 -loadgame 3 "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedComposeEnvironment env;
        EXPECT_EQ(tailAfter(composeGame(row.setup, env), kGamePrefix), row.tail);
    }
}

TEST(ComposeGame, WithoutASkillTheStartBecomesNormal) {
    ScriptedComposeEnvironment env;
    GameLaunchInput in = quietGameInput(env);
    in.selection = {StartKind::Warp, "05", "", kDoom2, {}, 0};
    const ComposeResult r = composeGameLaunch(in, env);
    EXPECT_EQ(r.selection.startKind, StartKind::Normal);
    EXPECT_FALSE(logged(env, "warp update")); // the map chosen decides the IWAD
}

TEST(ComposeGame, AScriptedMapLeavesOutWhatItBringsItself) {
    ScriptedComposeEnvironment env;
    const ComposeResult r = composeGame(
        [](GameLaunchInput& in, ScriptedComposeEnvironment& env) {
            scriptedCastle(in, env);
            Settings& s = in.settings;
            s.highResPatches = s.highResTextures = false;
            s.playlistManual = true;
            s.manualPlaylist = "Mine";
            env.files.insert(in.paths.musicFolder + "Mine.krm");
            s.extraFx = s.noForcedModels = s.coreEffects = true;
            s.monsterRespawn = true;
            s.splashEffects = false;
            s.dynamicLighting = true;
            in.scriptedModelsPresent = true;
        },
        env);
    EXPECT_EQ(tailAfter(r, kCastlePrefix), "-am -ch 128 -usb -cmd \"rend-smoke 0\" ");
    EXPECT_TRUE(r.scriptedMapSelected);
    EXPECT_TRUE(logged(env, "scripted Castle"));
    EXPECT_FALSE(logged(env, "texture check")); // the graphics tab is not for scripted maps

    ScriptedComposeEnvironment basic;
    EXPECT_EQ(tailAfter(composeGame(
                            [](GameLaunchInput& in, ScriptedComposeEnvironment& env) {
                                scriptedCastle(in, env);
                                in.settings.basicDoom = true;
                                in.settings.modelFx = true;
                            },
                            basic),
                        kCastlePrefix),
              "-ch 128 -usb ");
}

TEST(ComposeGame, FilesOfEachKindOfGame) {
    struct Case {
        const char* name;
        GameSetup setup;
        std::string line;
    };
    const std::string engineCannotFind = "Bin\\Korvath -iwad \"/krv/Iwads/DOOM2.WAD\" ";
    const std::vector<Case> cases = {
        {"auto-loading", [](auto& in, auto&) { autoLoading(in); },
         "Bin\\Korvath -DOOM2 -udir \"My Game\" -f \"map01.wad\" " + kQuietTail},
        {"manual-loading, IWAD found by the engine", [](auto& in, auto&) { manualCastle(in); },
         kCastlePrefix + kQuietTail},
        {"manual-loading, IWAD named",
         [](auto& in, auto& env) {
             manualCastle(in);
             env.iwadsTheEngineFinds.clear();
         },
         engineCannotFind +
             "-udir \"Castle\" -f \"castle.wad\" \"extra.WAD\" -deh \"fix.deh\" -d \"" +
             kCastleFolder + "defs.ded\" " + kQuietTail},
        {"zip with two wads",
         [](auto& in, auto&) {
             in.mainWad = kZips + "a.wad";
             in.currentGameFolder = kZips;
             in.loadList = {
                 true,
                 {{kZips + "a.wad"}, {kZips + "b.wad"}, {kZips + "p.deh"}, {kZips + "q.ded"}},
                 "/krv/KRVLaunch/Zips",
                 true};
         },
         "Bin\\Korvath -DOOM2 -f \"" + kZips + "a.wad\" \"" + kZips + "b.wad\" -deh \"" + kZips +
             "p.deh\" " + kQuietTail},
        {"zip, IWAD named",
         [](auto& in, auto& env) {
             env.iwadsTheEngineFinds.clear();
             in.mainWad = kZips + "a.wad";
             in.loadList = {true, {{kZips + "a.wad"}, {kZips + "q.ded"}}, kZips, true};
         },
         engineCannotFind + "-f \"" + kZips + "a.wad\" -d \"" + kZips + "q.ded\" " + kQuietTail},
        {"zip whose first wad the filter hides",
         [](auto& in, auto&) {
             in.mainWad = kZips + "a.wad";
             in.loadList = {true, {{kZips + "Doom2.wad", false}, {kZips + "a.wad"}}, kZips, true};
         },
         "Bin\\Korvath -DOOM2 -f \"" + kZips + "a.wad\" " + kQuietTail},
        {"zip without any wad shown",
         [](auto& in, auto&) {
             in.mainWad = kZips + "a.wad";
             in.loadList = {true, {{kZips + "a.wad", false}}, kZips, true};
         },
         "Bin\\Korvath -DOOM2 -f " + kQuietTail},
        {"no main wad", [](auto& in, auto&) { in.mainWad.clear(); },
         "Bin\\Korvath -DOOM2 " + kQuietTail},
        {"the rocket map",
         [](auto& in, auto&) {
             manualCastle(in);
             in.rocketMapWad = "CASTLE.WAD";
         },
         kCastlePrefix + kQuietTail + "-ap "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedComposeEnvironment env;
        const ComposeResult r = composeGame(c.setup, env);
        EXPECT_TRUE(r.launch);
        EXPECT_EQ(r.commandLine, c.line);
    }
}

TEST(ComposeGame, ScriptedMapChecksEndTheLaunchWithTheirMessage) {
    const FileTime before = localTime(2020, 10, 8, 10, 10, 9);
    const FileTime after = localTime(2020, 10, 8, 10, 10, 11);
    const std::string addon = "/krv/Data/KRV_addon/Xrtlev/xrtlev_addon.wad";
    const auto xrtlev = [&](std::optional<FileTime> addonTime) {
        return [=](GameLaunchInput& in, ScriptedComposeEnvironment& env) {
            in.mainWad = "/krv/KRVGames/XRT/Pwads/XRTLEV.WAD";
            if (addonTime) {
                env.files.insert(addon);
                env.times[addon] = *addonTime;
            }
        };
    };
    const auto datedCastle = [&](FileTime wadTime) {
        return [=](GameLaunchInput& in, ScriptedComposeEnvironment& env) {
            scriptedCastle(in, env);
            in.datedMapWads = {"other.wad", "Castle.wad"};
            env.files.insert(kCastleWad);
            env.times[kCastleWad] = wadTime;
        };
    };
    struct Case {
        const char* name;
        GameSetup setup;
        std::optional<ComposeMessage> refusal; // nothing: the launch goes on
    };
    const std::vector<Case> cases = {
        {"add-on missing", xrtlev(std::nullopt),
         ComposeMessage{" XRT Addon required",
                        "   This map requires the latest version of the Korvath XRT \r\n   addon "
                        "available from the Korvath website's maps section.   ",
                        msg::kInformation}},
        {"add-on too old", xrtlev(before),
         ComposeMessage{" XRT Addon required",
                        "   This map requires the latest version of the Korvath XRT \r\n   addon "
                        "available from the Korvath website's maps section.   ",
                        msg::kInformation}},
        {"add-on up to date", xrtlev(after), std::nullopt},
        {"listed but not installed",
         [](auto& in, auto& env) {
             manualCastle(in);
             env.scriptedMaps["Castle"] = ScriptedMapStatus::ListedNotInstalled;
         },
         ComposeMessage{" Map error - updated map required",
                        "   Components of this map are either missing or not compatible \r\n   "
                        "with this version of Korvath, download the latest version   \r\n   of "
                        "this map from the Korvath website's Maps section.        ",
                        msg::kInformation}},
        {"model packs missing",
         [](auto& in, auto& env) {
             scriptedCastle(in, env);
             in.modelPacksMissing = true;
         },
         ComposeMessage{" Model packs required",
                        "   Korvath maps require the model packs to be installed \r\n   Model "
                        "packs are available from the Korvath website. ",
                        msg::kInformation}},
        {"dated map too old", datedCastle(before),
         ComposeMessage{" Map update required",
                        "   This map is an older version and not compatible with \r\n   this "
                        "version of Korvath, download the latest version \r\n   of this map "
                        "from the Korvath website's maps section. ",
                        msg::kInformation}},
        {"dated map up to date", datedCastle(after), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedComposeEnvironment env;
        const ComposeResult r = composeGame(c.setup, env);
        if (!c.refusal) {
            EXPECT_TRUE(r.launch);
            EXPECT_TRUE(r.messages.empty());
            continue;
        }
        EXPECT_FALSE(r.launch);
        EXPECT_FALSE(r.state.launchInProgress);
        EXPECT_EQ(r.messages, std::vector<ComposeMessage>{*c.refusal});
        EXPECT_FALSE(logged(env, "warp update")); // ended before the IWAD part
    }
}

TEST(ComposeGame, SelectionChecksOfAnAutoLoadingGame) {
    const auto compose = [](std::optional<std::string> file, std::string firstMap) {
        ScriptedComposeEnvironment env;
        return composeGame(
            [&](GameLaunchInput& in, ScriptedComposeEnvironment&) {
                autoLoading(in);
                in.selectedGameFile = file;
                in.firstMapEntry = firstMap;
            },
            env);
    };
    const ComposeMessage noWad{" Launch error", "You have not yet selected a WAD file.     ",
                               msg::kInformation};
    EXPECT_EQ(compose(std::nullopt, "MAP01").messages, std::vector<ComposeMessage>{noWad});
    EXPECT_EQ(compose("readme.txt", "MAP01").messages, std::vector<ComposeMessage>{noWad});
    const ComposeResult noLevels = compose("Empty.Wad", "");
    EXPECT_FALSE(noLevels.launch);
    EXPECT_EQ(noLevels.messages,
              (std::vector<ComposeMessage>{
                  {" Launch error",
                   "You have not yet selected a valid WAD file.     \r\nThe EMPTY.WAD contains no "
                   "levels.     ",
                   msg::kInformation}}));
    EXPECT_TRUE(compose("Map01.WAD", "MAP01").launch);

    // A manual-loading game is not asked about its selection.
    ScriptedComposeEnvironment env;
    EXPECT_TRUE(composeGame(
                    [](GameLaunchInput& in, ScriptedComposeEnvironment&) {
                        manualCastle(in);
                        in.selectedGameFile.reset();
                    },
                    env)
                    .launch);
}

TEST(ComposeGame, CheckCodesForceIwadsAndModes) {
    struct Case {
        int code;
        std::string line;
    };
    const std::vector<Case> cases = {
        {0, kGamePrefix + kQuietTail},
        {1, "Bin\\Korvath -Tnt -f \"/wads/solo.wad\" " + kQuietTail},
        {2, "Bin\\Korvath -Plutonia -f \"/wads/solo.wad\" " + kQuietTail},
        {3, kGamePrefix + "-ch 128 -boom " + kQuietCmd},
        {4, kGamePrefix + kQuietTail + "-mfo "},
        {5, kGamePrefix + kQuietTail + "-stx "},
        {6, kGamePrefix + kQuietTail + "-c_nextmap "},
        {7, kGamePrefix + "-ch 128 -nc -nws "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ScriptedComposeEnvironment env;
        GameLaunchInput in = quietGameInput(env);
        in.checkCode = c.code;
        const ComposeResult r = composeGameLaunch(in, env);
        EXPECT_EQ(r.commandLine, c.line);
        EXPECT_FALSE(r.settings.basicDoom);
        in.shortcutMode = true; // a shortcut gets the same line and settings
        const ComposeResult shortcut = composeGameLaunch(in, env);
        EXPECT_EQ(shortcut.commandLine, c.line);
        EXPECT_FALSE(shortcut.settings.basicDoom);
        in.shortcutMode = false;
        EXPECT_EQ(r.changes.basicDoomForced, c.code == 7);
        EXPECT_EQ(r.state.mfoMode, c.code == 4);
        EXPECT_EQ(r.state.stxMode, c.code == 5);
        EXPECT_EQ(r.state.nextMapMode, c.code == 6);

        // The modes are process-wide until the next game composition clears them.
        in.state = r.state;
        in.checkCode = 0;
        EXPECT_EQ(composeGameLaunch(in, env).commandLine, kGamePrefix + kQuietTail);
    }

    // Boom mode stays out of the edit mode.
    ScriptedComposeEnvironment env;
    GameLaunchInput in = quietGameInput(env);
    in.checkCode = 3;
    in.settings.editMode = true;
    EXPECT_EQ(tailAfter(composeGameLaunch(in, env), kGamePrefix), kQuietTail + "-txe ");

    // Basic Doom already on is the user's own and stays on.
    in.checkCode = 7;
    in.settings.editMode = false;
    in.settings.basicDoom = true;
    const ComposeResult own = composeGameLaunch(in, env);
    EXPECT_TRUE(own.settings.basicDoom);
    EXPECT_FALSE(own.changes.basicDoomForced);
}

TEST(ComposeGame, MissingIwadsEndTheLaunch) {
    struct Case {
        const char* name;
        int code;
        std::string warpMap;
        StartKind start;
        ComposeMessage message;
    };
    const ComposeMessage finalDoom{
        " Missing Final Doom Iwad ",
        "This map requires one of the Final Doom Iwads to run correctly.      \r\n  Read the "
        "author's text file regarding which Iwad is required.      ",
        msg::kInformation};
    const auto mapIwad = [](const std::string& wad) {
        return ComposeMessage{" Iwad not found for current map",
                              "There appears to be a problem locating the Iwad for this map.    "
                              "  \r\nThis map requires the " +
                                  wad + " before it can be run.",
                              msg::kInformation};
    };
    const std::vector<Case> cases = {
        {"TNT", 1, "01", StartKind::Normal, finalDoom},
        {"Plutonia", 2, "01", StartKind::Normal, finalDoom},
        {"Doom II map", 0, "01", StartKind::Normal, mapIwad("Doom2.wad")},
        {"Doom map", 0, "1 1", StartKind::Normal, mapIwad("Doom.wad")},
        {"Basic Doom forced", 7, "1 1", StartKind::Normal, mapIwad("Doom.wad")},
        {"chosen warp map", 0, "1 2", StartKind::Warp, mapIwad("Doom.wad")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedComposeEnvironment env;
        GameLaunchInput in = quietGameInput(env);
        env.files.clear();
        in.checkCode = c.code;
        in.settings.skill = 3;
        in.selection = {c.start, c.warpMap, "", kDoom2, {}, 0};
        env.warpTarget = {kDoom2, c.warpMap};
        const ComposeResult r = composeGameLaunch(in, env);
        EXPECT_FALSE(r.launch);
        EXPECT_FALSE(r.state.launchInProgress);
        EXPECT_EQ(r.messages, std::vector<ComposeMessage>{c.message});
        EXPECT_FALSE(r.settings.basicDoom); // restored also when ending early
        EXPECT_EQ(logged(env, "warp update"), c.start == StartKind::Normal);
    }
}

TEST(ComposeGame, SharedSwitchesMatchTheIwadComposer) {
    using Setup = std::function<void(LaunchInput&, ScriptedComposeEnvironment&)>;
    const std::vector<std::pair<const char*, Setup>> rows = {
        {"model replacements", [](auto& in, auto&) { in.settings.braskenQuilsModels = true; }},
        {"hi-res patches and textures off",
         [](auto& in, auto&) { in.settings.highResPatches = in.settings.highResTextures = false; }},
        {"custom texture folder",
         [](auto& in, auto& env) {
             in.settings.texturePath = "/hires";
             env.folders.insert("/hires");
             env.texture = {true, "/hires", "/hires"};
         }},
        {"sound",
         [](auto& in, auto&) {
             in.settings.hiResSoundPack = in.settings.sound3d = true;
             in.settings.audioChannels = 64;
             in.settings.textureScaling = 4;
             in.settings.ignorePlaylistIfCustomMusic = in.settings.forceFmodMidi = true;
         }},
        {"no sound", [](auto& in, auto&) { in.settings.disableSound = true; }},
        {"no music", [](auto& in, auto&) { in.settings.disableMusic = true; }},
        {"extra fx and zombies",
         [](auto& in, auto&) {
             in.settings.extraFx = in.settings.braskenPistolZombies = true;
             in.settings.braskenQuilsModels = true;
         }},
        {"controls",
         [](auto& in, auto&) { in.settings.disableMouse = in.settings.disableJoystick = true; }},
        {"pipe bombs and no monsters",
         [](auto& in, auto&) {
             in.settings.grenadeLauncher = in.settings.noMonsters = true;
             in.settings.grenadeTimer = 0;
         }},
        {"corpses and fast monsters",
         [](auto& in, auto&) {
             in.settings.corpseFade = in.settings.fastMonsters = true;
             in.corpseText = "4";
         }},
        {"lighting and smoke",
         [](auto& in, auto&) {
             in.settings.dynamicLighting = in.settings.gunSmoke = true;
             in.settings.smokeKind = 1;
         }},
        {"basic doom", [](auto& in, auto&) { in.settings.basicDoom = true; }},
        {"verbose edit mode",
         [](auto& in, auto&) {
             in.settings.verbose = in.settings.editMode = in.settings.light = true;
             in.settings.noObjects = true;
             in.settings.editLight = 150;
         }},
        {"load game",
         [](auto& in, auto&) {
             in.settings.skill = 1;
             in.selection.startKind = StartKind::LoadGame;
             in.selection.loadSlot = "0";
         }},
        {"custom text", [](auto& in, auto&) { in.settings.customCommandLine = "-nojump"; }},
    };
    for (const auto& [name, setup] : rows) {
        SCOPED_TRACE(name);
        ScriptedComposeEnvironment iwadEnv, gameEnv;
        IwadLaunchInput iwad = quietIwadInput(iwadEnv);
        GameLaunchInput game = quietGameInput(gameEnv);
        setup(iwad, iwadEnv);
        setup(game, gameEnv);
        const std::string iwadTail = tailAfter(composeIwadLaunch(iwad, iwadEnv), kIwadPrefix);
        EXPECT_NE(iwadTail, kQuietTail);
        EXPECT_EQ(tailAfter(composeGameLaunch(game, gameEnv), kGamePrefix), iwadTail);
    }
}

TEST(ComposeGame, SwitchesComeInTheirFixedOrder) {
    ScriptedComposeEnvironment env;
    const ComposeResult r = composeGame(
        [](GameLaunchInput& in, ScriptedComposeEnvironment&) {
            manualCastle(in);
            in.rocketMapWad = "castle.wad";
            in.checkCode = 3;
            Settings& s = in.settings;
            s.braskenQuilsModels = s.coreEffects = false;
            s.highResTextures = false;
            s.detailTextures = true;
            s.noForcedModels = s.extraFx = true;
            s.coreEffects = true;
            s.disableMouse = s.grenadeLauncher = s.skyboxes = true;
            s.skyboxKind = 1;
            s.splashEffects = false;
            s.monsterRespawn = s.noSameTypeInfighting = s.noLostSoulInfighting = true;
            s.corpseFade = s.fastMonsters = s.verbose = true;
            in.corpseText = "9";
            s.ricochets = s.gunSmoke = s.dynamicLighting = true;
            s.developmentMode = true;
            s.skill = 1;
            in.selection = {StartKind::Warp, "2 3", "", kDoom2, {}, 0};
            s.customCommandLine = "-x";
        },
        env);
    EXPECT_EQ(tailAfter(r, kCastlePrefix),
              "-devmap -debug_scp -listloresfm -nht -ch 128 -boom -xa -spf -noamwds -fx -nomouse "
              "-gnd 2 -dt -fsb -spx -ReSpawn -noif1 -noif2 -ro -ct 9 -cmd \"rend-light 1\" "
              "\"rend-smoke 1\" \"audio-ricoh 4\" -fast -ap -v -sk 1 -wp 2 3 -x ");
}
