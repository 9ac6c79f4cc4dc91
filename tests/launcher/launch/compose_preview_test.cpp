// The preview's dry run: the same line as the launch, the refusal's title
// when the launch would stop, and nothing shown to the user either way.

#include "launcher/launch/compose_preview.h"

#include "compose_rig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace krv::test {
namespace {

bool showedAnything(const ScriptedComposeEnvironment& env) {
    return std::any_of(env.log.begin(), env.log.end(), [](const std::string& entry) {
        return entry.starts_with("message ") || entry == "iwad dialog";
    });
}

TEST(ComposePreview, ShowsTheLaunchLineOrTheRefusalWithoutAskingTheUser) {
    ScriptedComposeEnvironment env;
    GameLaunchInput game = quietGameInput(env);
    game.settings.noMonsters = true;
    const ComposeResult launched = composeGameLaunch(game, env);
    ASSERT_TRUE(launched.launch);
    ScriptedComposeEnvironment dryEnv;
    GameLaunchInput dryGame = quietGameInput(dryEnv);
    dryGame.settings.noMonsters = true;
    PreviewEnvironment preview(dryEnv);
    EXPECT_EQ(previewText(composeGameLaunch(dryGame, preview)), launched.commandLine);

    ScriptedComposeEnvironment missing;
    IwadLaunchInput iwad = quietIwadInput(missing);
    missing.files.erase(kDoom2);
    PreviewEnvironment mute(missing);
    EXPECT_EQ(previewText(composeIwadLaunch(iwad, mute)), " Setup error");
    EXPECT_FALSE(showedAnything(missing));
}

} // namespace
} // namespace krv::test
