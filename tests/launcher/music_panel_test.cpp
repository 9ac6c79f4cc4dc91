// The Sound tab's playlists on their own: the playlist frame over a
// temporary installation, with the session model's option boxes.
#include "launcher/music/music_controls.h"
#include "launcher/music/music_form.h"
#include "launcher/music/music_panel.h"
#include "launcher/music/playlist_auto.h"
#include "launcher/options/option_controls.h"
#include "named_controls.h"
#include "panel_rig.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace krv;
using krv::test::named;
using krv::test::writeFile;
namespace fs = std::filesystem;

namespace {

struct Panel : test::PanelRig {
    ControlBinder binder{state.session.controls};
    // The option tabs' boxes the playlists follow, as the option tabs declare them.
    bool optionBoxes = (declareOptionControls(state.session.controls, ids::SoundFrame[1]), true);
    MusicController music{state.session, state.paths, state.iwads, platform};
    MusicPanel* panel = new MusicPanel(music, state.session, state.paths, state.iwads, state.font,
                                       platform, binder, &window);

    // The playlists listed, as the window's load lists them.
    void load() {
        music.loadPlaylists();
        window.show();
    }
    QAbstractItemView* list() { return named<QAbstractItemView>(window, "SelectionList"); }
    QPushButton* button(int i) { return named<QPushButton>(window, "butMusic", i); }
    QCheckBox* mode(int i) { return named<QCheckBox>(window, "chkSound", i); }
};

} // namespace

TEST(MusicPanel, NewAndDeleteKeepTheListInStep) {
    Panel p;
    writeFile(p.root / "KRVLaunch/Music/Old Tunes.krm", "x\r\n");
    p.load();
    EXPECT_EQ(test::rowTexts(p.list()), (std::vector<std::string>{"Old Tunes"}));
    p.platform.nameAnswers.push_back({"Dunmóre & Friends", false});
    QTimer::singleShot(0, [] {
        if (auto* editor = qobject_cast<MusicForm*>(QApplication::activeModalWidget())) {
            editor->mSave->trigger();
            editor->reject();
        }
    });
    p.button(0)->click();
    EXPECT_EQ(p.platform.namePrompts.back().windowCaption, " Create New Playlist");
    EXPECT_TRUE(fs::exists(p.root / "KRVLaunch/Music/Dunmóre & Friends.krm"));
    EXPECT_EQ(test::currentText(p.list()), "Dunmóre & Friends");

    p.platform.nameAnswers.push_back({"../escape", false});
    p.button(0)->click();
    EXPECT_FALSE(fs::exists(p.root / "KRVLaunch/escape.krm"));
    EXPECT_FALSE(p.platform.messages.empty());

    p.platform.messageAnswers.push_back(msg::kResultYes);
    p.button(2)->click();
    EXPECT_FALSE(fs::exists(p.root / "KRVLaunch/Music/Dunmóre & Friends.krm"));
    EXPECT_EQ(test::rowTexts(p.list()), (std::vector<std::string>{"Old Tunes"}));
}

TEST(MusicPanel, AutoWithoutAutomaticPlaylistsTellsHowToMakeThem) {
    Panel p;
    writeFile(p.root / "KRVLaunch/Music/Mine.krm", "x\r\n");
    p.load();
    QTest::mousePress(p.mode(4), Qt::LeftButton);
    ASSERT_FALSE(p.platform.messages.empty());
    EXPECT_EQ(p.platform.messages.back().title, noAutoPlaylistMessage().title);
    EXPECT_FALSE(p.mode(4)->isChecked());
}

TEST(MusicPanel, ManualNeedsAChosenPlaylistAndAnotherChoiceClearsIt) {
    Panel p;
    writeFile(p.root / "KRVLaunch/Music/Mine.krm", "x\r\n");
    writeFile(p.root / "KRVLaunch/Music/Other.krm", "x\r\n");
    p.load();
    p.state.session.playlists.clearSelection();
    p.mode(5)->click();
    ASSERT_EQ(p.platform.messages.size(), 1u);
    EXPECT_FALSE(p.mode(5)->isChecked());

    const auto clickRow = [&](int row) { test::clickRow(p.list(), row); };
    clickRow(0);
    p.mode(5)->click();
    EXPECT_TRUE(p.mode(5)->isChecked());
    EXPECT_EQ(p.mode(5)->text(), "Load");
    EXPECT_EQ(p.state.session.settings.manualPlaylist, "Mine");
    clickRow(1);
    EXPECT_FALSE(p.mode(5)->isChecked());
    EXPECT_EQ(p.mode(5)->text(), "Manual");
    EXPECT_EQ(p.state.session.settings.manualPlaylist, "Other");
}

// Every playlist whose file name passes the usable-name check is listed,
// chosen, opened and deleted by its own bytes; a name in another encoding
// shows replacement characters. A double quote cannot stand in the quoted
// name on the engine's command line: such a file is no playlist and is left
// alone.
TEST(MusicPanel, OddNamesAreListedOpenedAndDeletedByTheirBytes) {
    Panel p;
    const std::string latin1 = "Caf\xe9 Tunes";
    for (const std::string& name : {latin1, std::string("What?"), std::string("Rock \"Live\"")})
        writeFile(p.root / "KRVLaunch/Music" / (name + ".krm"), "MAP01\r\n");
    p.load();
    QAbstractItemView* list = p.list();
    EXPECT_EQ(test::rowTexts(list), (std::vector<std::string>{"Caf\xef\xbf\xbd Tunes", "What?"}));

    test::clickRow(list, 0);
    EXPECT_EQ(p.state.session.settings.manualPlaylist, latin1);
    p.music.AssignAutoPlaylist(static_cast<int>(AutoGame::Doom2));
    EXPECT_EQ(splitLines(test::readFile(autoPlaylistPath(p.state.paths))).at(2), latin1);

    for (int row : {0, 1}) {
        p.state.session.playlists.setCurrentRow(row);
        std::string opened;
        QTimer::singleShot(0, [&opened] {
            if (auto* editor = qobject_cast<MusicForm*>(QApplication::activeModalWidget())) {
                opened = editor->playlist().name;
                editor->reject();
            }
        });
        p.button(1)->click();
        EXPECT_EQ(opened, row == 0 ? latin1 : "What?");
    }

    for (const std::string& name : {latin1, std::string("What?")}) {
        p.state.session.playlists.setCurrentRow(0);
        p.platform.messageAnswers.push_back(msg::kResultYes);
        p.button(2)->click();
        EXPECT_FALSE(fs::exists(p.root / "KRVLaunch/Music" / (name + ".krm"))) << name;
    }
    EXPECT_EQ(p.state.session.playlists.count(), 0);
    EXPECT_TRUE(fs::exists(p.root / "KRVLaunch/Music/Rock \"Live\".krm"));
}
