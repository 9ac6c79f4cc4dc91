// Installing levels and the zip library's commands, offscreen, with the
// scripted platform answering the dialogs and the real extraction module.
#include "main_form_fixture.h"

#include "launcher/library/install_copy.h"
#include "launcher/library/zip_library.h"
#include "support/savegame_builder.h"
#include "support/small_file_system.h"
#include "support/wad_builder.h"
#include "support/zip_builder.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QRadioButton>
#include <QToolButton>
#include <QUrl>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

using krv::test::WadBuilder;
using krv::test::ZipBuilder;

namespace {

std::string oneMap() {
    return WadBuilder().level("MAP01").build();
}

struct ZipWindow : Window {
    explicit ZipWindow(int view = LibraryPanel::ZipLibrary) {
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
    void answerName(const std::string& name) { platform.nameAnswers.push_back({name, false}); }
};

// Holds an exclusive lock on a file, as a program using it would.
struct Lock {
    int fd;
    explicit Lock(const fs::path& path) : fd(::open(path.c_str(), O_RDWR)) { ::flock(fd, LOCK_EX); }
    ~Lock() { ::close(fd); }
};

} // namespace

TEST(InstallLevel, AWadBecomesAGameAndIsSelected) {
    ZipWindow w(LibraryPanel::DoomGames);
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
    EXPECT_EQ(w.state.settings.gamesListView, LibraryPanel::InstalledGames);
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

// Every path below `folder` with its size, to see that nothing changed.
std::vector<std::string> listing(const fs::path& folder) {
    std::vector<std::string> all;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        all.push_back(entry.path().string() + " " +
                      (entry.is_regular_file() ? std::to_string(entry.file_size()) : "dir"));
    std::sort(all.begin(), all.end());
    return all;
}

} // namespace

TEST(InstallLevel, OnAFullDiskNothingIsLeftAndTheMessageSaysWhy) {
    ZipWindow w(LibraryPanel::InstalledGames);
    krv::test::SmallFileSystem games(w.root / "KRVGames", 256 << 10);
    if (!games.mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here";
    writeFile(w.root / "KRVGames/Old/Pwads/old.wad", oneMap());
    std::string noise(1 << 20, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 2654435761u) >> 13);
    const std::string big = WadBuilder().level("MAP01").lump("NOISE", noise).build();
    writeFile(w.root / "Downloads/huge.wad", big);
    ZipBuilder().file("huge.wad", big).write(w.root / "Downloads/Huge.zip");
    w.load();
    const auto before = listing(w.root / "KRVGames");

    w.platform.openFileAnswers.push_back((w.root / "Downloads/huge.wad").string());
    w.form->AuxButton[0]->click();
    ASSERT_EQ(w.platform.messages.size(), 1u);
    EXPECT_EQ(w.platform.messages[0].title, " Install error");
    EXPECT_EQ(w.platform.messages[0].text, krv::installFailureText(krv::IoStatus::DiskFull));
    EXPECT_EQ(listing(w.root / "KRVGames"), before);

    // A zip too large for the disk is refused before anything is written.
    w.platform.openFileAnswers.push_back((w.root / "Downloads/Huge.zip").string());
    w.form->AuxButton[0]->click();
    EXPECT_EQ(listing(w.root / "KRVGames"), before);
    EXPECT_EQ(entries(w.form->library().PwadList), (std::vector<std::string>{"OLD"}));
}

TEST(InstallLevel, AZipIsExtractedFlatAndAnOtherEndingInstallsNothing) {
    ZipWindow w(LibraryPanel::DoomGames);
    writeFile(w.root / "KRVLaunch/Data/pwads.krv", (w.root / "Gone").string() + "\r\n");
    w.load();
    w.platform.openFileAnswers.push_back((w.root / "KRVArchives/Speed.zip").string());
    w.form->AuxButton[0]->click();
    EXPECT_EQ(w.platform.openFileRequests[0].initialFolder, w.state.paths.archivesFolder);
    const fs::path pwads = w.root / "KRVGames/Speed/Pwads";
    EXPECT_TRUE(fs::exists(pwads / "notes.txt"));
    EXPECT_EQ(krv::test::readFile(pwads / "speed.wad").size(),
              WadBuilder().level("MAP01").level("MAP02").build().size()); // the later member
    EXPECT_EQ(w.current(), "SPEED");

    writeFile(w.root / "Downloads/readme.txt", "x");
    w.platform.openFileAnswers.push_back((w.root / "Downloads/readme.txt").string());
    w.form->AuxButton[0]->click();
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/readme"));
    EXPECT_EQ(w.state.settings.gamesListView, LibraryPanel::InstalledGames);
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
    ZipWindow w(LibraryPanel::DoomGames);
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
    EXPECT_EQ(w.state.settings.gamesListView, LibraryPanel::InstalledGames);
    EXPECT_EQ(w.current(), "SECOND");
    EXPECT_TRUE(w.form->library().GamesFilter->text().isEmpty());

    // Dropped again, the first is a duplicate, with the dialog's message.
    drop(*w.form, {downloads / "first.wad"});
    ASSERT_EQ(w.platform.messages.size(), 1u);
    EXPECT_EQ(w.platform.messages[0].title, " Duplicate name error");
    EXPECT_EQ(w.platform.messages[0].text, "  WARNING: 'first' already exists in the   \r\n"
                                           "  games list, delete or rename existing entry.     ");
}

TEST(InstallDrop, OtherFilesAreRefusedByNameAndWriteNothing) {
    ZipWindow w(LibraryPanel::InstalledGames);
    const fs::path downloads = w.root / "Downloads";
    writeFile(downloads / "readme.txt", "x");
    writeFile(downloads / "level.wad", oneMap());
    fs::create_directories(downloads / "folder.zip");
    w.load();
    const auto before = listing(w.root.root());

    drop(*w.form, {downloads / "readme.txt", downloads / "folder.zip"});
    ASSERT_EQ(w.platform.messages.size(), 1u);
    EXPECT_EQ(w.platform.messages[0].title, " Install error");
    EXPECT_EQ(w.platform.messages[0].text,
              "  Only wad and zip files can be installed to the games list.   \r\n"
              "  Not installed: readme.txt, folder.zip     ");
    EXPECT_EQ(listing(w.root.root()), before);

    // A mixed drop installs its wad and nothing of the refused file.
    drop(*w.form, {downloads / "readme.txt", downloads / "level.wad"});
    ASSERT_EQ(w.platform.messages.size(), 2u);
    EXPECT_EQ(w.platform.messages[1].text,
              "  Only wad and zip files can be installed to the games list.   \r\n"
              "  Not installed: readme.txt     ");
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/level/Pwads/level.wad"));
    EXPECT_FALSE(fs::exists(w.root / "KRVGames/readme"));
    EXPECT_EQ(w.current(), "LEVEL");
}

TEST(ZipLibrary, TheFolderButtonWritesArchivesKrvEvenWhenCancelled) {
    ZipWindow w;
    w.load();
    EXPECT_EQ(w.form->library().Auto[0]->text(), "ZIP LIBRARY");
    w.form->AuxButton[7]->click(); // cancelled
    ASSERT_EQ(w.platform.folderRequests.size(), 1u);
    EXPECT_EQ(w.platform.folderRequests[0], zipFolderBrowseText(w.state.paths.archivesFolder));
    EXPECT_TRUE(fs::exists(w.root / "KRVLaunch/Data/archives.krv"));
    EXPECT_EQ(w.form->library().Auto[0]->text(), "CUSTOM ZIP LIBRARY");

    fs::create_directories(w.root / "Elsewhere");
    w.platform.folderAnswers.push_back((w.root / "Elsewhere").string());
    w.form->AuxButton[7]->click();
    EXPECT_EQ(w.state.paths.archivesFolder, (w.root / "Elsewhere").string());
    EXPECT_EQ(w.form->library().PwadList->count(), 0);
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

TEST(ZipLibrary, InstallAsManualCopiesTheExtractedFilesAndAsksBeforeReplacing) {
    ZipWindow w;
    w.load();
    ASSERT_EQ(w.current(), "SPEED");
    w.answerName("Speedy");
    w.form->library().mcUdirUnZip->trigger();
    EXPECT_EQ(w.platform.namePrompts.back().windowCaption, " Install to Game List");
    EXPECT_EQ(w.platform.namePrompts.back().initialText, "SPEED");
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Speedy/Pwads/speed.wad"));
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Speedy/Pwads/notes.txt"));
    EXPECT_EQ(w.state.settings.gamesListView, LibraryPanel::InstalledGames);
    EXPECT_EQ(w.current(), "SPEEDY");

    // An auto-loading game of that name is replaced only after a Yes.
    writeFile(w.root / "KRVGames/Hell/Gwads/hell.wad", oneMap());
    w.form->library().OptionUdir[2]->click();
    for (const int answer : {msg::kResultNo, msg::kResultYes}) {
        w.answerName("Hell");
        w.platform.messageAnswers.push_back(answer);
        w.form->library().mcUdirUnZip->trigger();
        EXPECT_EQ(w.platform.messages.back().title, " User Directory Conversion");
        EXPECT_EQ(fs::exists(w.root / "KRVGames/Hell/Gwads"), answer == msg::kResultNo);
    }
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Hell/Pwads/speed.wad"));

    w.form->library().OptionUdir[2]->click();
    w.answerName("Speedy");
    w.form->library().mcUdirUnZip->trigger();
    EXPECT_EQ(w.platform.messages.back().title, " Duplicate name error");
    w.answerName("../outside");
    w.form->library().mcUdirUnZip->trigger();
    EXPECT_EQ(w.platform.messages.back().title, " Name error");
    EXPECT_FALSE(fs::exists(w.root / "outside"));
}

TEST(ZipLibrary, InstallAsAutoMakesAUserDirectory) {
    ZipWindow w;
    w.load();
    w.answerName("Speed Run");
    w.form->library().mcGwadUnZip->trigger();
    EXPECT_EQ(w.platform.namePrompts.back().frameCaption, "Games List Name");
    EXPECT_TRUE(fs::exists(w.root / "KRVGames/Speed Run/Gwads/speed.wad"));
    EXPECT_EQ(w.platform.messages.back().text,
              " The Speed Run has been installed to the games list.     ");
    EXPECT_EQ(w.current(), "SPEED RUN");

    w.form->library().OptionUdir[2]->click();
    w.answerName("Speed Run");
    w.form->library().mcGwadUnZip->trigger();
    EXPECT_EQ(w.platform.messages.back().text,
              " All relevant files have been unzipped to the existing Speed Run games list.    ");
}

TEST(ZipLibrary, RenameForgetsTheRecordsButKeepsTheSavedGames) {
    ZipWindow w;
    writeFile(w.root / "KRVLaunch/GameInfo/Zips/speed.krvm", "MAP01\r\n");
    writeFile(w.root / "KRVLaunch/GameInfo/Save/Zip/speed.krvs", "1\r\n");
    writeFile(w.root / "UserSG/Speed/savegame/KorvathSav1.krvsg", krv::test::packedSaveGame("x"));
    w.load();
    w.answerName("Fast");
    w.form->library().mcRenameArchive->trigger();
    EXPECT_EQ(w.platform.namePrompts.back().windowCaption, " Rename Zip");
    EXPECT_TRUE(fs::exists(w.root / "KRVArchives/Fast.zip"));
    EXPECT_FALSE(fs::exists(w.root / "KRVArchives/Speed.zip"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Zips/speed.krvm"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Save/Zip/speed.krvs"));
    EXPECT_TRUE(fs::exists(w.root / "UserSG/Speed/savegame/KorvathSav1.krvsg"));
    EXPECT_EQ(w.current(), "FAST");

    Lock lock(w.root / "KRVArchives/Fast.zip");
    w.answerName("Faster");
    w.form->library().mcRenameArchive->trigger();
    EXPECT_EQ(w.platform.messages.back().title, " Access error");
    EXPECT_EQ(w.platform.messages.back().text,
              "Unable to rename the selected file, the file       \r\n"
              "  appears to be in use by another program.");
}

TEST(ZipLibrary, DeleteAsksAndRemovesTheArchiveWithWhatBelongsToIt) {
    ZipWindow w;
    writeFile(w.root / "KRVLaunch/GameInfo/Zips/speed.krvm", "MAP01\r\n");
    writeFile(w.root / "KRVLaunch/Zips/Checks/speed.krvchk", "x");
    writeFile(w.root / "UserSG/Speed/savegame/KorvathSav1.krvsg", krv::test::packedSaveGame("x"));
    w.load();
    w.platform.messageAnswers.push_back(msg::kResultNo);
    w.form->library().mcDeleteArchive->trigger();
    EXPECT_TRUE(fs::exists(w.root / "KRVArchives/Speed.zip"));
    {
        Lock lock(w.root / "KRVArchives/Speed.zip");
        w.platform.messageAnswers.push_back(msg::kResultYes);
        w.form->library().mcDeleteArchive->trigger();
        EXPECT_EQ(w.platform.messages.back().title, " Access error");
        EXPECT_TRUE(fs::exists(w.root / "KRVArchives/Speed.zip"));
    }
    w.platform.messageAnswers.push_back(msg::kResultYes);
    w.form->library().mcDeleteArchive->trigger();
    EXPECT_EQ(w.platform.messages.back().title, " Delete selected archive");
    EXPECT_FALSE(fs::exists(w.root / "KRVArchives/Speed.zip"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/GameInfo/Zips/speed.krvm"));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/Zips/Checks/speed.krvchk"));
    EXPECT_FALSE(fs::exists(w.root / "UserSG/Speed"));
    EXPECT_EQ(w.form->library().PwadList->count(), 0);
}

TEST(ZipLibrary, DeleteWithAnEmptyArchiveNameSaysSoAndTouchesNothing) {
    ZipWindow w;
    fs::remove(w.root / "KRVArchives/Speed.zip");
    writeFile(w.root / "UserSG/Speed/savegame/KorvathSav1.krvsg", "s");
    w.load();
    w.platform.messageAnswers.push_back(msg::kResultYes);
    w.form->library().mcDeleteArchive->trigger();
    EXPECT_EQ(w.platform.messages.back().title, " Access error");
    EXPECT_EQ(w.platform.messages.back().text,
              " Unable to delete the selected file, its name is not usable.     ");
    EXPECT_TRUE(fs::exists(w.root / "UserSG/Speed/savegame/KorvathSav1.krvsg"));
}
