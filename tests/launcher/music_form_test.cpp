// The playlist editor, alone and opened from the Sound tab: its menu and
// popup commands, the closing questions and the files it writes.
#include "main_form_fixture.h"

#include "launcher/music/music_form.h"
#include "launcher/music/playlist_actions.h"
#include "launcher/music/playlist_builtin.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

using krv::test::readFile;

namespace {

std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::vector<std::string> editorSection(MapSet set) {
    return sectionLines(
        set, sectionHeadings(HeadingStyle::Editor, set == MapSet::Doom ? "DOOM" : "DOOM II"),
        bareEntry);
}

// Runs `drive` on the editor once it is shown modally by what follows.
void whileEditorOpen(std::function<void(MusicForm&)> drive) {
    QTimer::singleShot(0, [drive = std::move(drive)] {
        auto* form = qobject_cast<MusicForm*>(QApplication::activeModalWidget());
        if (!form)
            return; // nothing opened: the test checks what that left
        drive(*form);
        if (form->isVisible())
            form->reject();
    });
}

struct Editor {
    Window w;
    std::vector<std::string> savedNames;
    std::unique_ptr<MusicForm> form;

    Editor() {
        w.load();
        form = std::make_unique<MusicForm>(
            w.state.paths, w.state.iwads, w.state.font, w.platform,
            [this](const std::string& n) { savedNames.push_back(n); }, w.form.get());
    }
    fs::path file(const std::string& name) const {
        return w.root / "KRVLaunch/Music" / (name + ".krm");
    }
    void select(int row) { form->MusicList->setCurrentRow(row); }
    std::string line(int row) const { return form->MusicList->item(row)->text().toStdString(); }
};

} // namespace

TEST(MusicForm, PopupCommandsRewriteTheLines) {
    Editor e;
    EditedPlaylist p;
    p.name = "Mine";
    p.isNew = true;
    e.form->Open(p);
    EXPECT_EQ(e.form->windowTitle().toStdString(), "Opening Mine");
    ASSERT_EQ(e.form->MusicList->count(), 44); // no Doom IWAD: the Doom II template
    EXPECT_FALSE(fs::exists(e.file("Mine")));

    // Add music: the root is cut off, music.krv remembers the folder.
    const std::string root = e.w.state.paths.root;
    writeFile(e.w.root / "OggVorbis/Tiber/d_doom.ogg", "ogg");
    e.select(15);
    e.w.platform.openFileAnswers.push_back(root + "/OggVorbis/Tiber/d_doom.ogg");
    emit e.form->MusicList->itemDoubleClicked(e.form->MusicList->item(15));
    ASSERT_EQ(e.w.platform.openFileRequests.size(), 1u);
    EXPECT_EQ(e.w.platform.openFileRequests[0].title,
              "Add or Replace a music file to the Playlist");
    EXPECT_EQ(e.w.platform.openFileRequests[0].initialFolder, e.w.state.paths.musicFolder);
    EXPECT_EQ(e.line(15), "MAP05 \"/OggVorbis/Tiber/d_doom.ogg\"");
    EXPECT_EQ(readLastMusicFolder(e.w.state.paths), root + "/OggVorbis/Tiber");

    // Another type is refused and music.krv is left as it was.
    e.select(16);
    e.w.platform.openFileAnswers.push_back("/elsewhere/a.wav");
    e.form->mMusic->trigger();
    EXPECT_EQ(e.w.platform.messages.back().title, " Error");
    EXPECT_EQ(e.line(16), "MAP06");
    EXPECT_EQ(readLastMusicFolder(e.w.state.paths), root + "/OggVorbis/Tiber");
    // A cancelled dialog starts where the last file came from.
    e.form->mMusic->trigger();
    EXPECT_EQ(e.w.platform.openFileRequests.back().initialFolder, root + "/OggVorbis/Tiber");
    // Headings take no music.
    e.select(1);
    e.form->mMusic->trigger();
    EXPECT_EQ(e.w.platform.openFileRequests.size(), 3u);

    e.select(11);
    e.form->rTrack[11]->trigger();
    EXPECT_EQ(e.line(11), "MAP01 CD 12");
    EXPECT_EQ(e.form->rTrack[27]->text().toStdString(), "Track 28");

    // Remove selection needs a line of six characters.
    e.select(0);
    e.form->CheckPopupMenu();
    EXPECT_FALSE(e.form->mRemove->isEnabled());
    e.select(11);
    e.form->MusicList->item(15)->setSelected(true);
    e.form->CheckPopupMenu();
    EXPECT_TRUE(e.form->mRemove->isEnabled());
    e.form->mRemove->trigger();
    EXPECT_EQ(e.line(11), "MAP01");
    EXPECT_EQ(e.line(15), "MAP05");

    e.select(12);
    e.form->rTrack[0]->trigger();
    e.form->mAll->trigger();
    EXPECT_EQ(e.line(12), "MAP02");
    EXPECT_EQ(e.line(1), " #");
}

TEST(MusicForm, MenusSaveAndTheTextEditor) {
    Editor e;
    writeFile(e.w.root / "OggVorbis/Tiber/readme.txt", "r");
    EditedPlaylist tiber = {};
    tiber.name = "Tiber - Doom & Doom2";
    tiber.lines = builtInPlaylistLines(MusicPack::Tiber, tiber.name);
    tiber.type = PlaylistType::Mixed;
    e.form->Open(tiber);
    EXPECT_TRUE(e.form->mReadme->isVisible());
    EXPECT_FALSE(e.form->mHelp->isVisible());
    e.form->CheckOptionsMenu();
    EXPECT_FALSE(e.form->mMap->isEnabled());
    EXPECT_FALSE(e.form->mClone->isEnabled());
    e.form->mReadme->trigger();
    ASSERT_EQ(e.w.platform.starts.size(), 1u);
    EXPECT_EQ(e.w.platform.starts[0].commandLine,
              "notepad.exe \"" + (e.w.root / "OggVorbis/Tiber/readme.txt").string() + "\"");

    // Save writes every line in order and refills the list.
    e.form->mSave->trigger();
    EXPECT_EQ(readFile(e.file(tiber.name)), crlf(tiber.lines));
    EXPECT_EQ(e.savedNames, (std::vector<std::string>{tiber.name}));

    // A change, then out to the text editor: nothing saved, nothing asked.
    e.form->MusicList->setCurrentRow(3);
    e.form->rTrack[1]->trigger();
    const std::size_t asked = e.w.platform.messages.size();
    e.form->mTextEdit->trigger();
    EXPECT_EQ(e.w.platform.messages.size(), asked);
    EXPECT_EQ(e.w.platform.starts.back().commandLine,
              "notepad.exe \"" + e.file(tiber.name).string() + "\"");
    EXPECT_EQ(readFile(e.file(tiber.name)), crlf(tiber.lines));
}

// The program of editor.krv is started, a Linux program without an
// extension too; when it cannot be started, Notepad opens the file instead.
TEST(MusicForm, TheTextEditorOfEditorKrvOrElseNotepad) {
    Editor e;
    const fs::path marker = e.w.root / "edited";
    writeFile(e.w.root / "Tools/myedit", "#!/bin/sh\necho \"$1\" > '" + marker.string() + "'\n");
    fs::permissions(e.w.root / "Tools/myedit", fs::perms::owner_all);
    writeFile(e.w.root / "KRVLaunch/Data/editor.krv", "Tools/myedit\r\n");
    const std::string file = e.file("Mine").string();
    writeFile(file, "MAP01\r\n");
    EditedPlaylist mine;
    mine.name = "Mine";
    mine.lines = {"MAP01"};
    e.form->Open(mine);
    e.w.platform.executeStarts = true;
    e.form->mTextEdit->trigger();
    for (int i = 0; i < 200 && !fs::exists(marker); ++i)
        QThread::msleep(25);
    QThread::msleep(50); // let it finish writing
    EXPECT_EQ(readFile(marker), file + "\n");
    ASSERT_EQ(e.w.platform.starts.size(), 1u);

    e.w.platform.executeStarts = false;
    e.w.platform.startSucceeds = false;
    e.form->Open(mine);
    e.form->mTextEdit->trigger();
    ASSERT_EQ(e.w.platform.starts.size(), 3u);
    EXPECT_EQ(e.w.platform.starts[1].commandLine, "\"Tools/myedit\" \"" + file + "\"");
    EXPECT_EQ(e.w.platform.starts[2].commandLine, "notepad.exe \"" + file + "\"");
}

TEST(MusicForm, ToggleAndCloneThroughTheMenus) {
    Editor e;
    EditedPlaylist doom;
    doom.name = "Mine";
    doom.type = PlaylistType::Doom;
    doom.lines = editorSection(MapSet::Doom);
    doom.lines.push_back("");
    doom.lines[7] = "D_VICTOR CD 07";
    doom.lines[44] = "E4M7 \"/m/e4m7.ogg\"";
    e.form->Open(doom);
    e.form->CheckOptionsMenu();
    ASSERT_TRUE(e.form->mMap->isEnabled());
    e.form->mMap->trigger();
    EXPECT_EQ(e.form->MusicList->count(), 44);
    EXPECT_EQ(e.line(42), "MAP32");
    e.form->mMap->trigger();
    EXPECT_EQ(e.form->playlist().lines, doom.lines);

    // Clone asks first; "No" changes nothing.
    e.form->mClone->trigger();
    EXPECT_EQ(e.w.platform.messages.back().title, " Clone playlist");
    EXPECT_EQ(e.form->MusicList->count(), 48);
    e.w.platform.messageAnswers.push_back(msg::kResultYes);
    e.form->mClone->trigger();
    EXPECT_EQ(e.form->MusicList->count(), 91);
    e.form->CheckOptionsMenu();
    EXPECT_FALSE(e.form->mMap->isEnabled());

    // Closing asks about the unsaved changes; "Yes" saves the mixed layout.
    e.w.platform.messageAnswers.push_back(msg::kResultYes);
    e.form->mExit->trigger();
    EXPECT_EQ(e.w.platform.messages.back().title, " Save playlist");
    std::vector<std::string> mixed(doom.lines.begin(), doom.lines.end() - 1);
    std::vector<std::string> doom2 = editorSection(MapSet::Doom2);
    mixed.insert(mixed.end(), doom2.begin(), doom2.end());
    EXPECT_EQ(readFile(e.file("Mine")), crlf(mixed));
    EXPECT_TRUE(hasStandardLayout(mixed, PlaylistType::Mixed));
}

TEST(MusicForm, OpenRebuildsAnOldLayoutAndOffersTheNewFormat) {
    Window w;
    std::vector<std::string> old;
    for (const std::string& key : mapKeys(MapSet::Doom2))
        if (key != "MAP05")
            old.push_back(key + " \\OggVorbis\\x\\" + key + ".ogg");
    writeFile(w.root / "KRVLaunch/Music/Old.krm", crlf(old));
    w.load();
    MainForm& f = *w.form;
    EXPECT_EQ(named<QPushButton>(f, "butMusic", 1)->text().toStdString(), "Open");
    w.state.session.playlists.setCurrentRow(0);
    w.platform.messageAnswers.push_back(msg::kResultYes);
    whileEditorOpen([](MusicForm& editor) {
        EXPECT_TRUE(editor.playlist().converted);
        EXPECT_EQ(editor.MusicList->item(15)->text().toStdString(), "MAP05");
        editor.mExit->trigger();
    });
    named<QPushButton>(f, "butMusic", 1)->click();
    ASSERT_FALSE(w.platform.messages.empty());
    EXPECT_EQ(w.platform.messages.back().title, " Save playlist to new format");
    std::vector<std::string> expected = editorSection(MapSet::Doom2);
    for (std::size_t i = 11; i < 43; ++i)
        if (expected[i] != "MAP05")
            expected[i] += " \\OggVorbis\\x\\" + expected[i] + ".ogg";
    EXPECT_EQ(readFile(w.root / "KRVLaunch/Music/Old.krm"), crlf(expected));
    EXPECT_TRUE(named<QPushButton>(f, "butMusic", 2)->isEnabled());
}

TEST(MusicForm, NonStandardAnsweredNoOpensNothing) {
    Window w;
    std::vector<std::string> lines = editorSection(MapSet::Doom);
    lines.erase(lines.begin() + 12); // E1M2 missing: line 38 is E4M2
    writeFile(w.root / "KRVLaunch/Music/Odd.krm", crlf(lines));
    w.load();
    w.state.session.playlists.setCurrentRow(0);
    bool opened = false;
    whileEditorOpen([&](MusicForm&) { opened = true; });
    named<QPushButton>(*w.form, "butMusic", 1)->click();
    EXPECT_EQ(w.platform.messages.back().title, " Non Standard Format");
    EXPECT_FALSE(opened);
    EXPECT_EQ(readFile(w.root / "KRVLaunch/Music/Odd.krm"), crlf(lines));
    QApplication::processEvents(); // lets the unused driver run without an editor
}

TEST(MusicForm, NewPlaylistExistsOnlyOnceSaved) {
    Window w;
    writeFile(w.root / "KRVLaunch/Music/Old Tunes.krm", "x\r\n");
    w.load();
    MainForm& f = *w.form;
    w.state.session.playlists.setCurrentRow(0);
    f.music().choosePlaylist(0); // a click on the entry
    QTest::mouseClick(named<QCheckBox>(f, "chkSound", 5), Qt::LeftButton);
    ASSERT_TRUE(named<QCheckBox>(f, "chkSound", 5)->isChecked());

    // Closed without saving: no file; the new name stays the current
    // playlist and "Manual" stays ticked (only a save or a click on another
    // entry clears it).
    w.platform.nameAnswers.push_back({"Dunmóre & Friends.krm", false});
    whileEditorOpen([](MusicForm& editor) { editor.mExit->trigger(); });
    named<QPushButton>(f, "butMusic", 0)->click();
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/Music/Dunmóre & Friends.krm"));
    EXPECT_EQ(w.state.session.playlists.texts(), (std::vector<std::string>{"Old Tunes"}));
    EXPECT_EQ(w.state.session.playlists.currentRow(), -1);
    EXPECT_EQ(w.state.session.settings.manualPlaylist, "Dunmóre & Friends");
    EXPECT_TRUE(named<QCheckBox>(f, "chkSound", 5)->isChecked());

    // A change answered "Yes" on closing saves it and lists it.
    w.platform.nameAnswers.push_back({"Dunmóre & Friends", false});
    w.platform.messageAnswers.push_back(msg::kResultYes);
    whileEditorOpen([](MusicForm& editor) {
        editor.MusicList->setCurrentRow(11);
        editor.rTrack[2]->trigger();
        editor.reject(); // the close box
    });
    named<QPushButton>(f, "butMusic", 0)->click();
    std::vector<std::string> expected = editorSection(MapSet::Doom2);
    expected[11] = "MAP01 CD 03";
    EXPECT_EQ(readFile(w.root / "KRVLaunch/Music/Dunmóre & Friends.krm"), crlf(expected));
    EXPECT_EQ(w.state.session.playlists.currentText(), "Dunmóre & Friends");
    EXPECT_FALSE(named<QCheckBox>(f, "chkSound", 5)->isChecked());

    w.platform.messageAnswers.push_back(msg::kResultNo);
    named<QPushButton>(f, "butMusic", 2)->click();
    EXPECT_EQ(w.platform.messages.back().text,
              "Are you certain you wish to delete DUNMÓRE & FRIENDS   ");
}

// A playlist longer than the editor reads opens with its first 301 lines and
// keeps the rest when saved; one whose first lines cannot be read does not
// open. Neither file is ever replaced by what the editor did not read.
TEST(MusicForm, LongAndUnreadablePlaylistsAreNeverReplaced) {
    Window w;
    const std::string playlist = crlf(builtInPlaylistLines(MusicPack::KVane, "K-Vane - Doom2"));
    std::string big = playlist;
    while (big.size() < 17'000'000)
        big += "; a note the editor never shows, line " + std::to_string(big.size()) + "\r\n";
    const fs::path bigFile = w.root / "KRVLaunch/Music/Big.krm";
    writeFile(bigFile, big);
    const std::string oneLine(17'000'000, 'x');
    const fs::path lineFile = w.root / "KRVLaunch/Music/One Line.krm";
    writeFile(lineFile, oneLine);
    w.load();
    ASSERT_EQ(w.state.session.playlists.texts(), (std::vector<std::string>{"Big", "One Line"}));

    w.state.session.playlists.setCurrentRow(0);
    std::size_t shownLines = 0;
    whileEditorOpen([&](MusicForm& editor) {
        shownLines = std::size_t(editor.MusicList->count());
        editor.mExit->trigger();
    });
    named<QPushButton>(*w.form, "butMusic", 1)->click();
    EXPECT_EQ(shownLines, kPlaylistOpenLines);
    EXPECT_TRUE(w.platform.messages.empty()); // nothing to save, nothing asked
    EXPECT_TRUE(readFile(bigFile) == big);

    w.state.session.playlists.setCurrentRow(0);
    whileEditorOpen([](MusicForm& editor) {
        editor.MusicList->setCurrentRow(11);
        editor.rTrack[2]->trigger();
        editor.mSave->trigger();
    });
    named<QPushButton>(*w.form, "butMusic", 1)->click();
    std::string expected = big;
    const std::size_t map01 = expected.find("MAP01 ");
    expected.replace(map01, expected.find('\r', map01) - map01, "MAP01 CD 03");
    EXPECT_TRUE(readFile(bigFile) == expected);

    w.state.session.playlists.setCurrentRow(1);
    bool opened = false;
    whileEditorOpen([&](MusicForm&) { opened = true; });
    named<QPushButton>(*w.form, "butMusic", 1)->click();
    EXPECT_FALSE(opened);
    ASSERT_FALSE(w.platform.messages.empty());
    EXPECT_EQ(w.platform.messages.back().text,
              " This playlist is too large to open, it was left as it is.    ");
    EXPECT_TRUE(readFile(lineFile) == oneLine);
    QApplication::processEvents(); // lets the unused driver run without an editor
}

TEST(MusicForm, SoundTabModes) {
    Window w;
    writeFile(w.root / "KRVLaunch/Music/A.krm", "x\r\n");
    writeFile(w.root / "KRVLaunch/Music/B.krm", "x\r\n");
    writeFile(w.root / "KRVLaunch/Music/auto-playlist.krv", "\r\nA\r\n\r\n\r\n\r\n");
    w.load();
    MainForm& f = *w.form;
    w.state.session.playlists.clearSelection();
    w.state.session.playlists.setCurrentRow(-1);
    QTest::mouseClick(named<QCheckBox>(f, "chkSound", 5), Qt::LeftButton);
    EXPECT_EQ(w.platform.messages.back().title, " No auto playlist detected ");
    EXPECT_FALSE(named<QCheckBox>(f, "chkSound", 5)->isChecked());

    w.state.session.controls.setChecked(ids::chkSound[5], true);
    EXPECT_EQ(named<QCheckBox>(f, "chkSound", 5)->palette().color(QPalette::WindowText),
              QColor(255, 0, 0));
    named<QCheckBox>(f, "chkSound", 4)->click(); // the player's tick clears the other mode
    EXPECT_FALSE(named<QCheckBox>(f, "chkSound", 5)->isChecked());
    EXPECT_TRUE(named<QCheckBox>(f, "chkSound", 5)->isEnabled());
    EXPECT_FALSE(named<QWidget>(f, "SelectionList")->isEnabled());
    EXPECT_EQ(named<QCheckBox>(f, "chkSound", 5)->palette().color(QPalette::WindowText),
              QColor(18, 0, 0));
    EXPECT_EQ(named<QCheckBox>(f, "chkSound", 4)->palette().color(QPalette::WindowText),
              QColor(255, 0, 0));
    w.state.session.controls.setChecked(ids::chkSound[4], false);

    // A right click makes the entry the current playlist.
    auto* list = named<QAbstractItemView>(f, "SelectionList");
    emit list->customContextMenuRequested(list->visualRect(list->model()->index(1, 0)).center());
    named<QMenu>(f, "mPopupMusic")->close();
    EXPECT_EQ(w.state.session.settings.manualPlaylist, "B");
    EXPECT_EQ(w.state.session.playlists.currentRow(), 1);
}
