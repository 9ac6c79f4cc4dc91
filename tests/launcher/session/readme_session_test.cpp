// The text file that comes with a level, on the session model: the title
// and author as the games list's help text, the filter that finds them,
// and "Show readme", for an installed game and for a zip that is not the one
// extracted. The real extraction module runs.
#include "session_rig.h"
#include "support/wad_builder.h"
#include "support/zip_builder.h"

#include <gtest/gtest.h>

using namespace krv;
using namespace krv::ids;
using krv::test::WadBuilder;
using krv::test::writeFile;

namespace {

const char* kReadme = "===========================================\r\n"
                      "title                 : The <b>Siege</b> of Dis\r\n"
                      "Author:Jane Mapper\r\n"
                      "Description   : six maps\r\n";

struct Readmes : test::SessionRig {
    explicit Readmes(int view) {
        root.installTools();
        const std::string wad = WadBuilder().mapLevels(2).build();
        writeFile(root / "KRVGames/Castle/Pwads/castle.wad", wad);
        writeFile(root / "KRVGames/Castle/Pwads/castle.txt", kReadme);
        writeFile(root / "KRVGames/Plain/Pwads/plain.wad", wad);
        writeFile(root / "KRVGames/Plain/Pwads/notes.txt", "just notes\r\n");
        test::ZipBuilder()
            .file("dis.wad", wad)
            .file("docs/dis.TXT", kReadme)
            .write(root / "KRVArchives/Dis.zip");
        test::ZipBuilder().file("other.wad", wad).write(root / "KRVArchives/Other.zip");
        Settings s;
        s.gamesListView = view;
        s.advancedOptions = true;
        store(s);
        load();
    }
    std::vector<std::string> shown() const {
        std::vector<std::string> names;
        const ListState& games = state.session.games;
        for (int row = 0; row < games.count(); ++row)
            if (!games.isHidden(row))
                names.push_back(games.text(row));
        return names;
    }
};

} // namespace

TEST(LevelReadmes, AnInstalledGameShowsItsTitleAndAuthorAndTheFilterFindsThem) {
    Readmes r(LibraryController::InstalledGames);
    LibraryController& library = r.s().library();
    EXPECT_EQ(library.gameHelpText(0), "Title: The <b>Siege</b> of Dis\nAuthor: Jane Mapper");
    EXPECT_EQ(library.gameHelpText(1), ""); // notes without the template
    r.controls().setText(GamesFilter, "MAPPER");
    EXPECT_EQ(r.shown(), (std::vector<std::string>{"CASTLE"}));
    r.controls().setText(GamesFilter, "");

    r.state.session.games.setCurrentRow(0);
    EXPECT_EQ(library.gamesMenu(), LibraryController::Menu::Games);
    EXPECT_TRUE(r.controls().isEnabled(mcShowReadme));
    library.ShowReadme();
    ASSERT_EQ(r.platform.openedDocuments.size(), 1u);
    EXPECT_EQ(r.platform.openedDocuments[0],
              (r.root / "KRVGames/Castle/Pwads/castle.txt").string());
    r.state.session.games.setCurrentRow(1);
    library.gamesMenu();
    EXPECT_FALSE(r.controls().isEnabled(mcShowReadme));

    // Switched off, the help texts say nothing.
    r.state.session.settings.disableTooltips = true;
    EXPECT_EQ(library.gameHelpText(0), "");
}

TEST(LevelReadmes, AZipIsReadWithoutBeingTheOneExtracted) {
    Readmes r(LibraryController::ZipLibrary);
    LibraryController& library = r.s().library();
    ASSERT_EQ(r.state.session.games.texts(), (std::vector<std::string>{"DIS", "OTHER"}));
    r.state.session.games.setCurrentRow(1); // OTHER is the one extracted
    EXPECT_EQ(library.gameHelpText(0), "Title: The <b>Siege</b> of Dis\nAuthor: Jane Mapper");
    r.controls().setText(GamesFilter, "siege");
    EXPECT_EQ(r.shown(), (std::vector<std::string>{"DIS"}));
    // The filter chose DIS, which is now extracted with its text file.
    library.gamesMenu();
    EXPECT_TRUE(r.controls().isEnabled(mcZipReadme));
}
