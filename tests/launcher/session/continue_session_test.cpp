// Continue on the session model: offered while the selection has a saved
// game, it loads the newest one as choosing it and pressing Launch would,
// for an installed game, a Doom game and a zip. The real tools run.
#include "session_rig.h"
#include "support/savegame_builder.h"
#include "support/wad_builder.h"
#include "support/zip_builder.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace krv;
using namespace krv::ids;
using krv::test::WadBuilder;
using krv::test::writeFile;
namespace fs = std::filesystem;

namespace {

struct Saves : test::SessionRig {
    Saves() {
        root.installTools();
        writeFile(root / "Iwads/Doom2.wad", WadBuilder("IWAD").mapLevels(2).build());
        platform.specialFolders[SpecialFolder::Desktop] = (root / "Desktop").string();
    }
    // A saved game of `slot`, written `age` minutes ago.
    void save(const std::string& owner, int slot, const std::string& description, int age) {
        const fs::path file =
            root / "UserSG" / owner / "savegame" / ("KorvathSav" + std::to_string(slot) + ".krvsg");
        writeFile(file, test::packedSaveGame(description));
        fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::minutes(age));
    }
    void load(int view) {
        Settings s;
        s.gamesListView = view;
        s.launchMode = 0;
        s.advancedOptions = true;
        store(s);
        SessionRig::load();
    }
    // The line the engine was started with; empty for none.
    std::string started() const {
        return platform.starts.empty() ? std::string() : platform.starts.back().commandLine;
    }
};

} // namespace

// The newest saved game is loaded whatever its slot, with the Launch's
// checks and line; a game without saved games offers nothing to continue.
TEST(Continue, LoadsTheNewestSavedGameOfAnInstalledGame) {
    Saves s;
    writeFile(s.root / "KRVGames/Castle/Pwads/castle.wad", WadBuilder().mapLevels(3).build());
    writeFile(s.root / "KRVGames/Empty/Pwads/empty.wad", WadBuilder().mapLevels(1).build());
    s.save("Castle", 1, "Gate", 30);
    s.save("Castle", 5, "Keep", 2);
    s.save("Castle", 7, "Tower", 90);
    s.load(LibraryController::InstalledGames);
    Controls& c = s.controls();
    s.state.session.games.setCurrentRow(0); // CASTLE
    ASSERT_TRUE(c.isEnabled(ContinueButton));
    EXPECT_EQ(c.state(ContinueButton).toolTip.value_or(""), "Continue from slot 5: Keep");
    c.click(ContinueButton);
    EXPECT_NE(s.started().find("-loadgame 5 "), std::string::npos) << s.started();
    EXPECT_EQ(s.state.session.saveGames.currentText().substr(0, 1), "5");

    s.state.session.games.setCurrentRow(1); // EMPTY
    EXPECT_FALSE(c.isEnabled(ContinueButton));
    const std::size_t starts = s.platform.starts.size();
    s.s().Continue();
    EXPECT_EQ(s.platform.starts.size(), starts);
}

TEST(Continue, LoadsTheNewestSavedGameOfADoomGameAndOfAZip) {
    Saves s;
    s.save("doom2", 2, "Refinery", 1);
    s.save("doom2", 4, "Lab", 10);
    s.load(LibraryController::DoomGames);
    s.s().Continue();
    EXPECT_NE(s.started().find("-loadgame 2 "), std::string::npos) << s.started();

    test::ZipBuilder()
        .file("speed.wad", WadBuilder().mapLevels(2).build())
        .write(s.root / "KRVArchives/Speed.zip");
    s.save("SPEED", 6, "Run", 5);
    s.s().library().ShowView(LibraryController::ZipLibrary);
    ASSERT_EQ(s.state.session.games.currentText(), "SPEED");
    ASSERT_TRUE(s.controls().isEnabled(ContinueButton));
    s.s().Continue();
    EXPECT_NE(s.started().find("-loadgame 6 "), std::string::npos) << s.started();
}
