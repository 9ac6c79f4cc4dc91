#include "compose_rig.h"

#include "launcher/platform/command_line.h"
#include "launcher/platform/platform.h"

#include <gtest/gtest.h>

using namespace krv;
using namespace krv::test;

namespace {

// A manual-loading game whose every name is awkward, launched on an IWAD the
// engine cannot find by itself.
GameLaunchInput awkwardGame(ScriptedComposeEnvironment& env, const std::string& folderName) {
    GameLaunchInput in = quietGameInput(env);
    const std::string folder = "/krv/KRVGames/" + folderName + "/Pwads/";
    in.manualLoadingGame = true;
    in.mainWad = folder + "Rock & Roll.wad";
    in.currentGameFolder = folder;
    in.loadList = {true, {{in.mainWad}, {folder + "Dunmóre.deh"}}, folderName, false};
    env.iwadsTheEngineFinds.clear();
    return in;
}

bool quoteRefusal(const ComposeResult& r, const std::string& value) {
    return !r.launch && r.commandLine.empty() && !r.state.launchInProgress &&
           r.messages.size() == 1 && r.messages[0].title == " Launch error" &&
           r.messages[0].style == msg::kInformation &&
           r.messages[0].text.find("\r\n" + value + "\r\n") != std::string::npos;
}

} // namespace

TEST(ComposeQuoting, BlanksAmpersandsAndNonAsciiLettersPassIntact) {
    ScriptedComposeEnvironment env;
    GameLaunchInput in = awkwardGame(env, "Tom & Jerry's Mapé");
    in.settings.playlistManual = true;
    in.settings.manualPlaylist = "Dunmóre - TNT";
    env.files.insert(in.paths.musicFolder + "Dunmóre - TNT.krm");
    const ComposeResult r = composeGameLaunch(in, env);
    ASSERT_TRUE(r.launch);
    const std::vector<std::string> words = splitCommandLine(r.commandLine);
    const std::vector<std::string> expected = {
        "Bin\\Korvath", "-iwad",           kDoom2,          "-udir",       "Tom & Jerry's Mapé",
        "-f",           "Rock & Roll.wad", "-deh",          "Dunmóre.deh", "-ch",
        "128",          "-extmus",         "Dunmóre - TNT", "-cmd",        "rend-light 0",
        "rend-smoke 0"};
    EXPECT_EQ(words, expected);
}

TEST(ComposeQuoting, AValueWithADoubleQuoteRefusesTheLaunch) {
    {
        ScriptedComposeEnvironment env;
        GameLaunchInput in = awkwardGame(env, "The \"Best\" Maps");
        in.checkCode = 7; // Basic Doom forced, and off again after the refusal
        const ComposeResult r = composeGameLaunch(in, env);
        EXPECT_TRUE(quoteRefusal(r, "The \"Best\" Maps"));
        EXPECT_FALSE(r.settings.basicDoom);
    }
    {
        ScriptedComposeEnvironment env;
        IwadLaunchInput in = quietIwadInput(env);
        const std::string iwad = "/home/a\"b/Doom2.wad";
        in.iwads.paths[static_cast<int>(IwadKind::Doom2)] = iwad;
        in.selectedIwadPath = iwad;
        env.files.insert(iwad);
        EXPECT_TRUE(quoteRefusal(composeIwadLaunch(in, env), iwad));
    }
    {
        ScriptedComposeEnvironment env;
        IwadLaunchInput in = quietIwadInput(env);
        in.settings.texturePath = "/hi\"res";
        env.texture = {true, "/hi\"res", "/hi\"res"};
        env.folders.insert("/hi\"res");
        EXPECT_TRUE(quoteRefusal(composeIwadLaunch(in, env), "/hi\"res"));
    }
    {
        ScriptedComposeEnvironment env;
        GameLaunchInput in = quietGameInput(env);
        in.mainWad = "/wads/say \"hi\".wad";
        EXPECT_TRUE(quoteRefusal(composeGameLaunch(in, env), in.mainWad));
    }
}

TEST(ComposeQuoting, ExtraCommandLineTextKeepsItsQuotesOnlyWhenTheyPair) {
    ScriptedComposeEnvironment env;
    IwadLaunchInput in = quietIwadInput(env);
    in.settings.customCommandLine = "-cmd \"god 1\" -file \"a b.wad\"";
    const ComposeResult paired = composeIwadLaunch(in, env);
    EXPECT_EQ(tailAfter(paired, kIwadPrefix), kQuietTail + "-cmd \"god 1\" -file \"a b.wad\" ");

    in.settings.customCommandLine = "-file \"a b.wad";
    const ComposeResult unpaired = composeIwadLaunch(in, env);
    EXPECT_FALSE(unpaired.launch);
    EXPECT_FALSE(unpaired.state.launchInProgress);
    ASSERT_EQ(unpaired.messages.size(), 1u);
    EXPECT_EQ(unpaired.messages[0].title, " Launch error");
}

TEST(ComposeQuoting, ACorpseTextThatIsNoNumberWritesNoCorpseSwitch) {
    for (const char* typed : {"", "  ", "abc", "5 -warp", " 0 "}) {
        SCOPED_TRACE(typed);
        ScriptedComposeEnvironment env;
        IwadLaunchInput in = quietIwadInput(env);
        in.corpseText = typed;
        EXPECT_EQ(tailAfter(composeIwadLaunch(in, env), kIwadPrefix), kQuietTail);
    }
    ScriptedComposeEnvironment env;
    IwadLaunchInput in = quietIwadInput(env);
    in.corpseText = " 8 ";
    EXPECT_EQ(tailAfter(composeIwadLaunch(in, env), kIwadPrefix), "-ch 128 -ct 8 " + kQuietCmd);
}
