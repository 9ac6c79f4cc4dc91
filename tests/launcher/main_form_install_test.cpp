// Installing levels through the whole window, offscreen, with the scripted
// platform answering the dialogs: the map list of the installed wad and the
// window taking drags of files for the library.
#include "main_form_fixture.h"

#include "launcher/library/zip_library.h"
#include "support/wad_builder.h"
#include "support/zip_builder.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

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
    std::string current() const {
        return form->library().PwadList->currentItem()
                   ? form->library().PwadList->currentItem()->text().toStdString()
                   : std::string();
    }
};

} // namespace

TEST(InstallLevel, AWadBecomesAGameAndIsSelected) {
    ZipWindow w(LibraryController::DoomGames);
    writeFile(w.root / "Downloads/mylevel.wad", oneMap());
    w.load();
    w.platform.openFileAnswers.push_back((w.root / "Downloads/mylevel.wad").string() + " ");
    w.form->AuxButton[0]->click();
    ASSERT_EQ(w.platform.openFileRequests.size(), 1u);
    EXPECT_EQ(w.platform.openFileRequests[0].title, "Install a wad file to the Games List");
    EXPECT_EQ(w.platform.openFileRequests[0].initialFolder, w.state.paths.archivesFolder);
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/mylevel/Pwads/mylevel.wad"));
    EXPECT_EQ(krv::readTextLines(w.root / "KRVLaunch/Data/pwads.krv").lines,
              (std::vector<std::string>{(w.root / "Downloads").string()}));
    EXPECT_TRUE(fs::exists(w.root.configFile()));
    EXPECT_EQ(w.state.settings.gamesListView, LibraryController::InstalledGames);
    EXPECT_EQ(w.current(), "MYLEVEL");
    EXPECT_EQ(w.form->inspect().MapList->count(), 1);

    // The next dialog starts where this one ended; a duplicate is refused.
    w.platform.openFileAnswers.push_back((w.root / "Downloads/mylevel.wad").string());
    w.form->AuxButton[0]->click();
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
    w.form->library().GamesFilter->setText("zzz");
    drop(*w.form, {downloads / "first.wad", downloads / "Second.WAD"});
    EXPECT_TRUE(w.platform.messages.empty());
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/first/Pwads/first.wad"));
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Second/Pwads/Second.WAD"));
    EXPECT_EQ(krv::readTextLines(w.root / "KRVLaunch/Data/pwads.krv").lines,
              (std::vector<std::string>{downloads.string()}));
    EXPECT_EQ(w.state.settings.gamesListView, LibraryController::InstalledGames);
    EXPECT_EQ(w.current(), "SECOND");
    EXPECT_TRUE(w.form->library().GamesFilter->text().isEmpty());

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
