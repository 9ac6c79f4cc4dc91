// The Sound tab's playlists on their own: the playlist frame over a
// temporary installation, with stand-ins for the option tabs' boxes.
#include "launcher/music/music_form.h"
#include "launcher/music/music_panel.h"
#include "launcher/music/playlist_auto.h"
#include "launcher/ui/panel_controls.h"
#include "panel_rig.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace krv;
using krv::test::writeFile;
namespace fs = std::filesystem;

namespace {

struct Panel : test::PanelRig {
    // The boxes the option tabs own; the window owns them as it owns the tabs.
    PlaylistBoxes boxes{new QCheckBox("Disable sound", &window),
                        new QCheckBox("Disable music", &window),
                        new QCheckBox("Auto", &window),
                        new QCheckBox("Manual", &window),
                        new QCheckBox("Force Fmod midi", &window),
                        new QCheckBox("Ignore playlist if custom music", &window)};
    MusicPanel* panel = new MusicPanel(state, platform, boxes, &window);

    // The playlists listed, as the window's load lists them.
    void load() {
        panel->loadPlaylists();
        window.show();
    }
};

} // namespace

TEST(MusicPanel, NewAndDeleteKeepTheListInStep) {
    Panel p;
    writeFile(p.root / "KRVLaunch/Music/Old Tunes.krm", "x\r\n");
    p.load();
    EXPECT_EQ(entriesOf(p.panel->SelectionList), (std::vector<std::string>{"Old Tunes"}));
    p.platform.nameAnswers.push_back({"Dunmóre & Friends", false});
    QTimer::singleShot(0, [] {
        if (auto* editor = qobject_cast<MusicForm*>(QApplication::activeModalWidget())) {
            editor->mSave->trigger();
            editor->reject();
        }
    });
    p.panel->butMusic[0]->click();
    EXPECT_EQ(p.platform.namePrompts.back().windowCaption, " Create New Playlist");
    EXPECT_TRUE(fs::exists(p.root / "KRVLaunch/Music/Dunmóre & Friends.krm"));
    EXPECT_EQ(p.panel->SelectionList->currentItem()->text().toStdString(), "Dunmóre & Friends");

    p.platform.nameAnswers.push_back({"../escape", false});
    p.panel->butMusic[0]->click();
    EXPECT_FALSE(fs::exists(p.root / "KRVLaunch/escape.krm"));
    EXPECT_FALSE(p.platform.messages.empty());

    p.platform.messageAnswers.push_back(msg::kResultYes);
    p.panel->butMusic[2]->click();
    EXPECT_FALSE(fs::exists(p.root / "KRVLaunch/Music/Dunmóre & Friends.krm"));
    EXPECT_EQ(entriesOf(p.panel->SelectionList), (std::vector<std::string>{"Old Tunes"}));
}

TEST(MusicPanel, AutoWithoutAutomaticPlaylistsTellsHowToMakeThem) {
    Panel p;
    writeFile(p.root / "KRVLaunch/Music/Mine.krm", "x\r\n");
    p.load();
    QTest::mousePress(p.boxes.autoMode, Qt::LeftButton);
    ASSERT_FALSE(p.platform.messages.empty());
    EXPECT_EQ(p.platform.messages.back().title, noAutoPlaylistMessage().title);
    EXPECT_FALSE(p.boxes.autoMode->isChecked());
}

TEST(MusicPanel, ManualNeedsAChosenPlaylistAndAnotherChoiceClearsIt) {
    Panel p;
    writeFile(p.root / "KRVLaunch/Music/Mine.krm", "x\r\n");
    writeFile(p.root / "KRVLaunch/Music/Other.krm", "x\r\n");
    p.load();
    p.panel->SelectionList->clearSelection();
    p.boxes.manualMode->click();
    ASSERT_EQ(p.platform.messages.size(), 1u);
    EXPECT_FALSE(p.boxes.manualMode->isChecked());

    const auto clickRow = [&](int row) {
        QListWidget* list = p.panel->SelectionList;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    };
    clickRow(0);
    p.boxes.manualMode->click();
    EXPECT_TRUE(p.boxes.manualMode->isChecked());
    EXPECT_EQ(p.boxes.manualMode->text(), "Load");
    EXPECT_EQ(p.state.settings.manualPlaylist, "Mine");
    clickRow(1);
    EXPECT_FALSE(p.boxes.manualMode->isChecked());
    EXPECT_EQ(p.boxes.manualMode->text(), "Manual");
    EXPECT_EQ(p.state.settings.manualPlaylist, "Other");
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
    QListWidget* list = p.panel->SelectionList;
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QString::fromUtf8("Caf\xef\xbf\xbd Tunes"));
    EXPECT_EQ(list->item(1)->text(), "What?");

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(p.state.settings.manualPlaylist, latin1);
    p.panel->AssignAutoPlaylist(static_cast<int>(AutoGame::Doom2));
    EXPECT_EQ(splitLines(test::readFile(autoPlaylistPath(p.state.paths))).at(2), latin1);

    for (int row : {0, 1}) {
        list->setCurrentRow(row);
        std::string opened;
        QTimer::singleShot(0, [&opened] {
            if (auto* editor = qobject_cast<MusicForm*>(QApplication::activeModalWidget())) {
                opened = editor->playlist().name;
                editor->reject();
            }
        });
        p.panel->butMusic[1]->click();
        EXPECT_EQ(opened, row == 0 ? latin1 : "What?");
    }

    for (const std::string& name : {latin1, std::string("What?")}) {
        list->setCurrentRow(0);
        p.platform.messageAnswers.push_back(msg::kResultYes);
        p.panel->butMusic[2]->click();
        EXPECT_FALSE(fs::exists(p.root / "KRVLaunch/Music" / (name + ".krm"))) << name;
    }
    EXPECT_EQ(list->count(), 0);
    EXPECT_TRUE(fs::exists(p.root / "KRVLaunch/Music/Rock \"Live\".krm"));
}
