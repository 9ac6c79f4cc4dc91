// The playlists through the main window: the automatic and the manual
// playlist reaching the engine's command line.
#include "main_form_fixture.h"

#include "launcher/music/playlist_auto.h"
#include "support/wad_builder.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(Playlists, TheAutomaticPlaylistOfTheIwadGoesToTheEngine) {
    Window w;
    w.root.installTools();
    writeFile(w.root / "Iwads/Doom2.wad", krv::test::WadBuilder("IWAD").mapLevels(1).build());
    writeFile(w.root / "KRVLaunch/Music/Mine.krm", "x\r\n");
    w.load();
    MainForm& f = *w.form;
    // Assigned through the playlist's menu, then Auto chosen.
    w.state.session.playlists.setCurrentRow(0);
    named<QAction>(f, "mcAutoPlaylist", static_cast<int>(AutoGame::Doom2))->trigger();
    ASSERT_TRUE(autoPlaylistExists(w.state.paths));
    w.state.session.controls.setChecked(ids::chkSound[4], true);
    named<QPushButton>(f, "LaunchButton")->click();
    ASSERT_EQ(w.platform.starts.size(), 1u);
    EXPECT_NE(w.platform.starts[0].commandLine.find("-extmus \"Mine\""), std::string::npos)
        << w.platform.starts[0].commandLine;
}

TEST(Playlists, StoredAutoAndManualBothSurviveTheLoadAndBothGoToTheEngineManualFirst) {
    Window w;
    w.root.installTools();
    writeFile(w.root / "Iwads/Doom2.wad", krv::test::WadBuilder("IWAD").mapLevels(1).build());
    writeFile(w.root / "KRVLaunch/Music/Mine.krm", "x\r\n");
    writeFile(w.root / "KRVLaunch/Music/Doom Two.krm", "x\r\n");
    writeFile(w.root / "KRVLaunch/Music/auto-playlist.krv",
              "IMPORTANT\r\nDoom/Ultimate Doom Placeholder\r\nDoom Two\r\n"
              "Plutonia - Placeholder\r\nTNT - Placeholder\r\n");
    Settings s;
    s.launchMode = 0;
    s.manualPlaylist = "Mine";
    s.playlistAuto = true;
    s.playlistManual = true;
    writeFile(w.root.configFile(), configText(s));
    w.load();
    MainForm& f = *w.form;
    EXPECT_TRUE(named<QCheckBox>(f, "chkSound", 4)->isChecked());
    EXPECT_TRUE(named<QCheckBox>(f, "chkSound", 5)->isChecked());
    named<QPushButton>(f, "LaunchButton")->click();
    ASSERT_EQ(w.platform.starts.size(), 1u);
    const std::string& line = w.platform.starts[0].commandLine;
    const auto manual = line.find("-extmus \"Mine\" ");
    const auto automatic = line.find("-extmus \"Doom Two\" ");
    ASSERT_NE(manual, std::string::npos) << line;
    ASSERT_NE(automatic, std::string::npos) << line;
    EXPECT_LT(manual, automatic);
}
