// Installing levels through the whole window, offscreen, with the scripted
// platform answering the dialogs: the map list of the installed wad, the
// window taking drags of files for the library, and the task menus a right
// click on the library's lists pops up.
#include "main_form_fixture.h"

#include "launcher/library/library_controls.h"
#include "launcher/library/zip_library.h"
#include "support/wad_builder.h"
#include "support/zip_builder.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

using krv::test::clickRow;
using krv::test::currentText;
using krv::test::WadBuilder;
using krv::test::ZipBuilder;

namespace {

std::string oneMap() {
    return WadBuilder().level("MAP01").build();
}

struct ZipWindow : Window {
    explicit ZipWindow(int view = LibraryController::ZipLibrary) {
        root.installTools();
        ZipBuilder()
            .file("a/speed.wad", oneMap())
            .file("b/speed.wad", WadBuilder().level("MAP01").level("MAP02").build())
            .file("notes.txt", "x")
            .write(root / "KRVArchives/Speed.zip");
        Settings s;
        s.advancedOptions = true;
        s.gamesListView = view;
        writeFile(root.configFile(), configText(s));
    }
    std::string current() const { return currentText(named<QListView>(*form, "PwadList")); }
    void install() { named<QToolButton>(*form, "AuxButton", 0)->click(); }
};

} // namespace

TEST(InstallLevel, AWadBecomesAGameAndIsSelected) {
    ZipWindow w(LibraryController::DoomGames);
    writeFile(w.root / "Downloads/mylevel.wad", oneMap());
    w.load();
    w.platform.openFileAnswers.push_back((w.root / "Downloads/mylevel.wad").string() + " ");
    w.install();
    ASSERT_EQ(w.platform.openFileRequests.size(), 1u);
    EXPECT_EQ(w.platform.openFileRequests[0].title, "Install a wad file to the Games List");
    EXPECT_EQ(w.platform.openFileRequests[0].initialFolder, w.state.paths.archivesFolder);
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/mylevel/Pwads/mylevel.wad"));
    EXPECT_EQ(krv::readTextLines(w.root / "KRVLaunch/Data/pwads.krv").lines,
              (std::vector<std::string>{(w.root / "Downloads").string()}));
    EXPECT_TRUE(fs::exists(w.root.configFile()));
    EXPECT_EQ(w.state.session.settings.gamesListView, LibraryController::InstalledGames);
    EXPECT_EQ(w.current(), "MYLEVEL");
    EXPECT_EQ(entries(named<QListView>(*w.form, "MapList")).size(), 1u);

    // The next dialog starts where this one ended; a duplicate is refused.
    w.platform.openFileAnswers.push_back((w.root / "Downloads/mylevel.wad").string());
    w.install();
    EXPECT_EQ(w.platform.openFileRequests[1].initialFolder, (w.root / "Downloads").string());
    ASSERT_EQ(w.platform.messages.size(), 1u);
    EXPECT_EQ(w.platform.messages[0].title, " Duplicate name error");
    EXPECT_EQ(w.platform.messages[0].text, "  WARNING: 'mylevel' already exists in the   \r\n"
                                           "  games list, delete or rename existing entry.     ");
}

namespace {

QList<QUrl> localUrls(const std::vector<fs::path>& files) {
    QList<QUrl> urls;
    for (const fs::path& file : files)
        urls.push_back(QUrl::fromLocalFile(QString::fromStdString(file.string())));
    return urls;
}

// Offers `urls` to the window as a drag entering it; true when it takes them.
bool dragEnters(MainForm& form, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    return enter.isAccepted();
}

// Drags the files onto the window and drops them there, as a file manager
// does, then lets the installs that follow run.
void drop(MainForm& form, const std::vector<fs::path>& files) {
    ASSERT_TRUE(dragEnters(form, localUrls(files)));
    QMimeData data;
    data.setUrls(localUrls(files));
    QDropEvent event(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &event);
    QCoreApplication::processEvents();
}

} // namespace

TEST(InstallDrop, OnlyLocalFilesAreTakenAndEachWadInstallsAsFromTheDialog) {
    ZipWindow w(LibraryController::DoomGames);
    const fs::path downloads = w.root / "Downloads";
    writeFile(downloads / "first.wad", oneMap());
    writeFile(downloads / "Second.WAD", oneMap());
    w.load();
    EXPECT_TRUE(dragEnters(*w.form, localUrls({downloads / "first.wad"})));
    EXPECT_FALSE(dragEnters(*w.form, {QUrl("https://example.org/first.wad")}));
    EXPECT_FALSE(dragEnters(*w.form, {}));

    // Two wads in one drop: both installed, the last one shown selected
    // even where the filter would have hidden it.
    QTest::keyClicks(named<QLineEdit>(*w.form, "GamesFilter"), "zzz");
    ASSERT_EQ(w.state.session.controls.text(ids::GamesFilter), "zzz");
    drop(*w.form, {downloads / "first.wad", downloads / "Second.WAD"});
    EXPECT_TRUE(w.platform.messages.empty());
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/first/Pwads/first.wad"));
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Second/Pwads/Second.WAD"));
    EXPECT_EQ(krv::readTextLines(w.root / "KRVLaunch/Data/pwads.krv").lines,
              (std::vector<std::string>{downloads.string()}));
    EXPECT_EQ(w.state.session.settings.gamesListView, LibraryController::InstalledGames);
    EXPECT_EQ(w.current(), "SECOND");
    EXPECT_TRUE(named<QLineEdit>(*w.form, "GamesFilter")->text().isEmpty());

    // Dropped again, the first is a duplicate, with the dialog's message.
    drop(*w.form, {downloads / "first.wad"});
    ASSERT_EQ(w.platform.messages.size(), 1u);
    EXPECT_EQ(w.platform.messages[0].title, " Duplicate name error");
    EXPECT_EQ(w.platform.messages[0].text, "  WARNING: 'first' already exists in the   \r\n"
                                           "  games list, delete or rename existing entry.     ");
}

TEST(ZipLibrary, BrowseTextLabelsFollowTheFolderLength) {
    const std::string tail = "Select the new location of your zipped wad files ...";
    EXPECT_EQ(zipFolderBrowseText(std::string(30, 'a')),
              "Current Location: " + std::string(30, 'a') + "\r\n" + tail);
    EXPECT_EQ(zipFolderBrowseText(std::string(35, 'a')),
              "Location: " + std::string(35, 'a') + "\r\n" + tail);
    EXPECT_EQ(zipFolderBrowseText(std::string(45, 'a')), std::string(45, 'a') + "\r\n" + tail);
    EXPECT_EQ(zipFolderBrowseText(std::string(55, 'a')), tail);
}

namespace {

// A manual-loading game and an auto-loading game of two wads.
struct GamesWindow : Window {
    GamesWindow() {
        root.installTools();
        const std::string wad = WadBuilder().mapLevels(2).build();
        writeFile(root / "KRVGames/Castle/Pwads/castle.wad", wad);
        writeFile(root / "KRVGames/Hell/Gwads/hell.wad", wad);
        writeFile(root / "KRVGames/Hell/Gwads/bonus.wad", wad);
        Settings s;
        s.gamesListView = LibraryController::InstalledGames;
        writeFile(root.configFile(), configText(s));
    }
};

// True while a menu holding the entry is shown.
bool menuShown(const MainForm& form, std::string_view entry) {
    for (QObject* holder : named<QAction>(form, entry)->associatedObjects())
        if (const auto* menu = qobject_cast<QMenu*>(holder); menu && menu->isVisible())
            return true;
    return false;
}

void closeMenus() {
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

} // namespace

// A right click pops up the task menu of the list: the games menu over a
// game, the files menu over the files of an auto-loading game only.
TEST(TaskMenus, ARightClickPopsUpTheMenuOfTheList) {
    GamesWindow w;
    w.load();
    auto* games = named<QListView>(*w.form, "PwadList");
    auto* files = named<QListView>(*w.form, "PwadShowlist");
    ASSERT_EQ(entries(games), (std::vector<std::string>{"CASTLE", "HELL"}));
    clickRow(games, 0, Qt::RightButton);
    EXPECT_TRUE(menuShown(*w.form, "mcDeleteFolder"));
    closeMenus();
    clickRow(files, 0, Qt::RightButton);
    EXPECT_FALSE(menuShown(*w.form, "mcDeleteFile")); // files of a manual game: no menu

    clickRow(games, 1);
    ASSERT_EQ(currentText(games), "HELL");
    clickRow(files, 0, Qt::RightButton);
    EXPECT_TRUE(menuShown(*w.form, "mcDeleteFile"));
    closeMenus();
}
