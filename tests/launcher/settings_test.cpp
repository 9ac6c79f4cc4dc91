#include "launcher/startup/settings.h"
#include "support/install_root.h"

#include <gtest/gtest.h>

#include <functional>

using namespace krv;
using krv::test::InstallRoot;
using krv::test::readFile;
using krv::test::writeFile;

namespace {

constexpr int kCentredTop = 1000;
constexpr int kCentredLeft = 2000;

// Every line of "config.krv" with the setting it feeds and its default, as
// the file format defines them.
struct Probe {
    int line;
    const char* defaultText;
    std::function<std::string(const Settings&)> value;
};

#define TEXT(f) [](const Settings& s) { return s.f; }
#define NUM(f) [](const Settings& s) { return std::to_string(s.f); }
#define SW(f) [](const Settings& s) { return std::string(s.f ? "1" : "0"); }

const std::vector<Probe> kProbes = {
    {1, "v9.1", TEXT(launcherVersion)},
    {2, "2", NUM(lastSkill)},
    {3, "0", NUM(titlePicture)},
    {4, "0", NUM(tipNumber)},
    {5, "128", NUM(audioChannels)},
    {6, "0", NUM(textureScaling)},
    {7, "1", SW(highResPatches)},
    {8, "0", SW(quilspackAltWeapons)},
    {9, "0", SW(modelFx)},
    {10, "0", SW(quilspackWeapons)},
    {11, "0", SW(coreEffects)},
    {12, "0", SW(noForcedModels)},
    {13, "0", SW(grenadeLauncher)},
    {14, "0", SW(developmentMode)},
    {15, "0", SW(disableSound)},
    {16, "0", SW(disableMusic)},
    {17, "1", SW(ricochets)},
    {18, "0", SW(disableMouse)},
    {19, "0", SW(monsterRespawn)},
    {20, "0", SW(noSameTypeInfighting)},
    {21, "0", SW(noLostSoulInfighting)},
    {22, "200", NUM(editLight)},
    {23, "", TEXT(customCommandLine)},
    {24, "1", SW(rememberLastMap)},
    {25, "0", SW(rememberLastSavegame)},
    {26, "1", SW(braskenQuilsModels)},
    {27, "0", SW(braskenPistolZombies)},
    {28, "1", SW(highResTextures)},
    {29, "0", SW(noMonsters)},
    {30, "0", SW(verbose)},
    {31, "1", SW(skyboxes)},
    {32, "1", SW(gunSmoke)},
    {33, "0", NUM(skyboxKind)},
    {34, "0", NUM(smokeKind)},
    {35, "0", SW(allowHiResRelocation)},
    {36, "1", SW(hiResSoundPack)},
    {37, "0", SW(playlistAuto)},
    {38, "0", SW(forceFmodMidi)},
    {39, "1", SW(ignorePlaylistIfCustomMusic)},
    {40, "1", SW(corpseFade)},
    {41, "0", SW(detailTextures)},
    {42, "1", SW(effectsSpare1)},
    {43, "0", SW(fastMonsters)},
    {44, "0", SW(basicDoom)},
    {45, "0", SW(scriptedMapsMode)},
    {46, "0", SW(noMonsters)},
    {47, "0", SW(advancedOptions)},
    {48, "0", SW(editMode)},
    {49, "0", SW(light)},
    {50, "0", SW(noObjects)},
    {51, "0", SW(disableJoystick)},
    {52, "0", NUM(skill)},
    {53, "1", NUM(launchMode)},
    {54, "", TEXT(rememberedNormalEntry)},
    {55, "", TEXT(rememberedScriptedEntry)},
    {56, "", TEXT(lastGamesListEntry)},
    {57, "", TEXT(lastCommercialTitle)},
    {58, "", TEXT(lastArchive)},
    {59, "", TEXT(reserved59)},
    {60, "1", NUM(gamesListView)},
    {61, "0", SW(shortcutCreation)},
    {62, "1", SW(tipOfTheDay)},
    {63, "0", SW(wadFilesOnly)},
    {64, "0", SW(disableTooltips)},
    {65, "1", SW(dynamicLighting)},
    {66, "0", SW(extraFx)},
    {67, "0", SW(playlistManual)},
    {68, "1", SW(soundSpare7)},
    {69, "0", SW(selectionMemory)},
    {70, "0", NUM(reserved70)},
    {71, "0", NUM(lastLaunchMode)},
    {72, "1", NUM(selButtonMode)},
    {73, "", TEXT(manualPlaylist)},
    {74, "9", NUM(corpseFadeSeconds)},
    {75, "4", NUM(ricochetValue)},
    {76, "2", NUM(grenadeTimer)},
    {77, "1", SW(splashEffects)},
    {78, "1", SW(sound3d)},
    {79, "0", SW(soundSpare8)},
    {80, "1", SW(musicFrameLayout)},
    {81, "", TEXT(reserved81)},
    {82, "1000", NUM(windowTop)},
    {83, "2000", NUM(windowLeft)},
};

std::vector<std::string> defaultLines() {
    std::vector<std::string> lines;
    for (const auto& p : kProbes)
        lines.push_back(p.defaultText);
    return lines;
}

// A value for line `line` that differs from its default and reads back
// unchanged.
std::string otherValue(const Probe& p) {
    const std::string def = p.defaultText;
    if (def == "0")
        return "1";
    if (def == "1")
        return p.line == 53 || p.line == 60 || p.line == 72 ? "2" : "0";
    if (def.empty() || def == "v9.1")
        return "text of line " + std::to_string(p.line);
    return std::to_string(std::stoi(def) + 3);
}

std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

struct Fixture {
    InstallRoot root;
    InstallPaths paths = InstallPaths::fromRoot(root.root());
    Settings settings;

    void writeConfig(const std::string& content) { writeFile(root.configFile(), content); }
    SettingsReadResult read(bool wine = false) {
        return readSettings(paths, wine, kCentredTop, kCentredLeft, settings);
    }
};

} // namespace

TEST(SettingsFile, MissingFileGivesEveryDefault) {
    Fixture f;
    const auto result = f.read();
    EXPECT_FALSE(result.typeMismatch);
    EXPECT_EQ(result.linesRead, 0);
    for (const auto& p : kProbes)
        EXPECT_EQ(p.value(f.settings), p.defaultText) << "line " << p.line;
    EXPECT_EQ(settingsLines(f.settings, false), defaultLines());
}

TEST(SettingsFile, EachLineFeedsItsOwnSettingOnly) {
    for (const auto& changed : kProbes) {
        Fixture f;
        auto lines = defaultLines();
        lines[changed.line - 1] = otherValue(changed);
        f.writeConfig(joinCrLf(lines));
        ASSERT_FALSE(f.read().typeMismatch) << "line " << changed.line;
        for (const auto& p : kProbes) {
            // Lines 29 and 46 hold the same setting; the later one wins.
            const bool sameSetting =
                (changed.line == 29 && p.line == 46) || (changed.line == 46 && p.line == 29);
            const bool expectChange = p.line == changed.line || sameSetting;
            if (changed.line == 29 && (p.line == 29 || p.line == 46)) {
                EXPECT_EQ(p.value(f.settings), "0"); // line 46 comes later and wins
                continue;
            }
            EXPECT_EQ(p.value(f.settings), expectChange ? otherValue(changed) : p.defaultText)
                << "changed line " << changed.line << ", checked line " << p.line;
        }
    }
}

TEST(SettingsFile, RoundTripKeepsEveryLineIncludingReservedOnes) {
    Fixture f;
    std::vector<std::string> lines;
    for (const auto& p : kProbes)
        lines.push_back(otherValue(p));
    lines[28] = lines[45]; // lines 29 and 46 are one setting
    lines[53] = lines[55]; // the writer copies line 56 into 54 (memory switch off)
    lines[68] = "0";
    f.writeConfig(joinCrLf(lines));
    ASSERT_EQ(f.read().linesRead, 83);
    ASSERT_EQ(writeSettings(f.paths, false, f.settings), IoStatus::Ok);
    EXPECT_EQ(readFile(f.root.configFile()), joinCrLf(lines));
}

TEST(SettingsFile, ReadsSwitchesAndNumbersAsStoredByOlderWriters) {
    Fixture f;
    auto lines = defaultLines();
    lines[6] = "2";     // line 7: any non-zero value is on
    lines[7] = "0.5";   // line 8: the fraction is dropped before the test
    lines[1] = "  3  "; // line 2: blanks around a number
    lines[28] = "1";    // line 29 on, line 46 on too: stays on
    lines[45] = "1";
    f.writeConfig(joinCrLf(lines));
    f.read();
    EXPECT_TRUE(f.settings.highResPatches);
    EXPECT_FALSE(f.settings.quilspackAltWeapons);
    EXPECT_EQ(f.settings.lastSkill, 3);
    EXPECT_TRUE(f.settings.noMonsters);
}

TEST(SettingsFile, AppliesThePostReadingRules) {
    struct Case {
        std::string timer;
        int expected;
    };
    for (const Case& c : {Case{"12", 7}, Case{"-3", 0}, Case{"5", 5}, Case{"0", 0}}) {
        Fixture f;
        auto lines = defaultLines();
        lines[75] = c.timer;
        f.writeConfig(joinCrLf(lines));
        f.read();
        EXPECT_EQ(f.settings.grenadeTimer, c.expected) << c.timer;
    }
    Fixture f;
    auto lines = defaultLines();
    lines[73] = "0"; // no corpse fade seconds
    f.writeConfig(joinCrLf(lines));
    const auto result = f.read();
    EXPECT_TRUE(result.corpseFadeUnavailable);
    EXPECT_FALSE(f.settings.corpseFade);
}

TEST(SettingsFile, ReportsAWordWhereANumberBelongs) {
    Fixture f;
    auto lines = defaultLines();
    lines[6] = "yes";
    f.writeConfig(joinCrLf(lines));
    EXPECT_TRUE(f.read().typeMismatch);

    Fixture empty;
    lines = defaultLines();
    lines[1] = ""; // an empty number line is no number either
    empty.writeConfig(joinCrLf(lines));
    EXPECT_TRUE(empty.read().typeMismatch);
}

TEST(SettingsFile, CompletesShortFilesWithDefaults) {
    Fixture f;
    f.writeConfig("v9.1\r\n4\r\n7\n"); // LF line end on the last line
    const auto result = f.read();
    EXPECT_FALSE(result.typeMismatch);
    EXPECT_EQ(result.linesRead, 3);
    EXPECT_EQ(f.settings.lastSkill, 4);
    EXPECT_EQ(f.settings.titlePicture, 7);
    EXPECT_EQ(f.settings.audioChannels, 128);
    EXPECT_EQ(f.settings.windowTop, kCentredTop);
}

TEST(SettingsFile, ANumberTooLargeEndsTheReadingQuietly) {
    Fixture f;
    auto lines = defaultLines();
    lines[4] = "99999"; // line 5 is 16-bit
    lines[20] = "1";
    f.writeConfig(joinCrLf(lines));
    const auto result = f.read();
    EXPECT_FALSE(result.typeMismatch);
    EXPECT_EQ(result.linesRead, 4);
    EXPECT_EQ(f.settings.audioChannels, 128);
    EXPECT_FALSE(f.settings.noLostSoulInfighting);
}

TEST(SettingsFile, WindowPositionLinesDependOnWineMode) {
    Fixture f;
    auto lines = defaultLines();
    lines[81] = "4500";
    lines[82] = "6000";
    // 81 lines outside Wine mode keep the centred position.
    f.writeConfig(joinCrLf(std::vector<std::string>(lines.begin(), lines.begin() + 81)));
    f.read(false);
    EXPECT_EQ(f.settings.windowTop, kCentredTop);
    EXPECT_EQ(f.settings.windowLeft, kCentredLeft);
    // 83 lines in Wine mode: the last two are ignored and the file is
    // rewritten with 81.
    f.writeConfig(joinCrLf(lines));
    f.read(true);
    EXPECT_EQ(f.settings.windowTop, kCentredTop);
    ASSERT_EQ(writeSettings(f.paths, true, f.settings), IoStatus::Ok);
    EXPECT_EQ(krv::readTextLines(f.root.configFile()).lines.size(), 81u);
    // Outside Wine mode the position is read and written.
    f.writeConfig(joinCrLf(lines));
    f.read(false);
    EXPECT_EQ(f.settings.windowTop, 4500);
    EXPECT_EQ(f.settings.windowLeft, 6000);
    ASSERT_EQ(writeSettings(f.paths, false, f.settings), IoStatus::Ok);
    EXPECT_EQ(krv::readTextLines(f.root.configFile()).lines.at(82), "6000");
}

TEST(SettingsFile, WriterRemembersTheSelectionForTheCurrentListMode) {
    Fixture f;
    f.settings.lastGamesListEntry = "Scythe";
    f.settings.rememberedNormalEntry = "Old";
    f.settings.selectionMemory = true; // scripted-maps mode
    ASSERT_EQ(writeSettings(f.paths, false, f.settings), IoStatus::Ok);
    auto lines = krv::readTextLines(f.root.configFile()).lines;
    EXPECT_EQ(lines.at(53), "Old");
    EXPECT_EQ(lines.at(54), "Scythe");
    f.settings.selectionMemory = false;
    f.settings.lastGamesListEntry = "Alien Vendetta";
    ASSERT_EQ(writeSettings(f.paths, false, f.settings), IoStatus::Ok);
    lines = krv::readTextLines(f.root.configFile()).lines;
    EXPECT_EQ(lines.at(53), "Alien Vendetta");
    EXPECT_EQ(lines.at(54), "Scythe");
}

TEST(SettingsFile, ReadsTheOneLineFilesOfTheDataFolder) {
    Fixture f;
    writeFile(f.root / "KRVLaunch/Data/TexPath.krv", "/games/textures\r\nignored\r\n");
    writeFile(f.root / "KRVLaunch/Data/archives.krv", "/mnt/zips\n");
    f.read();
    EXPECT_EQ(f.settings.texturePath, "/games/textures");
    EXPECT_EQ(f.paths.archivesFolder, "/mnt/zips");
}

TEST(SettingsFile, SurvivesHostileFiles) {
    {
        Fixture f; // a text line of 100,000 characters is kept whole
        auto lines = defaultLines();
        lines[22] = std::string(100000, 'x');
        f.writeConfig(joinCrLf(lines));
        EXPECT_FALSE(f.read().typeMismatch);
        EXPECT_EQ(f.settings.customCommandLine.size(), 100000u);
    }
    {
        Fixture f; // 5,000 lines: the extra ones are ignored
        auto lines = defaultLines();
        lines.resize(5000, "junk");
        f.writeConfig(joinCrLf(lines));
        EXPECT_EQ(f.read().linesRead, 83);
    }
    {
        Fixture f; // binary junk where numbers belong
        f.writeConfig(std::string("v9.1\r\n\x01\xff\x00\x7f", 10));
        EXPECT_TRUE(f.read().typeMismatch);
    }
    {
        Fixture f; // a folder where the file belongs reads as missing
        std::filesystem::create_directories(f.root.configFile());
        EXPECT_EQ(f.read().linesRead, 0);
        EXPECT_EQ(f.settings.audioChannels, 128);
    }
}
