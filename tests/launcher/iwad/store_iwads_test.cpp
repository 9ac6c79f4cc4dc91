#include "launcher/inspect/store_iwads.h"

#include "support/fake_environment.h"
#include "support/temp_dir.h"
#include "support/wad_builder.h"

#include <gtest/gtest.h>
#include <map>

using namespace krv;
using krv::test::TempDir;
using krv::test::WadBuilder;
using krv::test::writeFile;
namespace fs = std::filesystem;

namespace {

using Paths = std::vector<std::string>;

std::string mapIwad(int maps = 32) {
    return WadBuilder("IWAD").mapLevels(maps).build();
}

std::string episodeIwad(int episodes) {
    WadBuilder wad("IWAD");
    for (int e = 1; e <= episodes; ++e)
        for (int m = 1; m <= 9; ++m)
            wad.level("E" + std::to_string(e) + "M" + std::to_string(m));
    return wad.build();
}

// A home folder with its stores, an installation root beside it and an
// environment that names only what the test sets.
struct Home {
    TempDir dir;
    std::string home = (dir / "home").string();
    std::string root = (dir / "Korvath").string();
    std::string dataFolder = root + "/KRVLaunch/Data/";
    std::map<std::string, std::string> vars;

    Home() {
        fs::create_directories(home);
        fs::create_directories(dataFolder);
        vars["HOME"] = home;
        vars["XDG_DATA_HOME"] = (dir / "nowhere").string();
        vars["XDG_DATA_DIRS"] = (dir / "nowhere").string();
    }
    EnvironmentLookup env() const { return krv::test::environmentOf(vars); }
    // Writes a file below the home folder and answers its full path.
    std::string put(const std::string& rel, const std::string& bytes) {
        const std::string path = home + "/" + rel;
        writeFile(path, bytes);
        return path;
    }
    IwadRegistry search() const {
        IwadRegistry r;
        searchStoreIwads(r, home);
        return r;
    }
    IwadRegistry startup() const {
        IwadRegistry r;
        registerIwadsAtStartup(r, root, dataFolder, env());
        return r;
    }
};

} // namespace

TEST(StoreIwads, EveryKindOfSteamInstallationAndItsNamedFoldersAreSearched) {
    struct Case {
        const char* root;
        const char* file; // below the root's library
        IwadKind kind;
        std::string bytes;
    };
    const Case cases[] = {
        {".local/share/Steam", "steamapps/common/Doom 2/base/DOOM2.WAD", IwadKind::Doom2,
         mapIwad()},
        {".var/app/com.valvesoftware.Steam/.local/share/Steam",
         "steamapps/common/Ultimate Doom/rerelease/doom.wad", IwadKind::Doom, episodeIwad(4)},
        {"snap/steam/common/.local/share/Steam", "steamapps/common/Doom 2/finaldoombase/TNT.WAD",
         IwadKind::Tnt, mapIwad()},
        {".steam/root", "SteamApps/common/Ultimate Doom/base/plutonia/PLUTONIA.WAD",
         IwadKind::Plutonia, mapIwad()},
        {".local/share/Steam", "steamapps/common/DOOM 3 BFG Edition/base/wads/DOOM1.WAD",
         IwadKind::Shareware, episodeIwad(1)},
    };
    for (const Case& c : cases) {
        Home h;
        const std::string path = h.put(std::string(c.root) + "/" + c.file, c.bytes);
        EXPECT_EQ(h.search().path(c.kind), path) << c.root << " " << c.file;
    }

    // ~/.steam/steam is usually a link to the native installation: one root.
    Home h;
    fs::create_directories(h.home + "/.local/share/Steam");
    fs::create_directories(h.home + "/.steam");
    fs::create_directory_symlink(h.home + "/.local/share/Steam", h.home + "/.steam/steam");
    EXPECT_EQ(steamRoots(h.home), Paths{h.home + "/.local/share/Steam"});
}

TEST(StoreIwads, LibrariesListedBySteamAreSearchedAndABrokenListAddsNothing) {
    Home h;
    // A second disk's library with a quote and a backslash in its name.
    const std::string library = (h.dir / "disk2/My \"Games\\Steam").string();
    const std::string doom2 = library + "/steamapps/common/Doom 2/base/doom2.wad";
    writeFile(doom2, mapIwad());
    h.put(".local/share/Steam/steamapps/libraryfolders.vdf",
          "// written by Steam\n"
          "\"libraryfolders\"\n{\n"
          "\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" +
              h.home +
              "/.local/share/Steam\"\n"
              "\t\t\"apps\" { \"2300\" \"123\" } // installed\n\t}\n"
              "\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" +
              (h.dir / "disk2/My \\\"Games\\\\Steam").string() + "\"\n\t}\n}\n");
    EXPECT_EQ(steamLibraries(h.home), (Paths{h.home + "/.local/share/Steam", library}));
    EXPECT_EQ(h.search().path(IwadKind::Doom2), doom2);

    // The older layout: the libraries as values of numbered keys.
    h.put(".local/share/Steam/steamapps/libraryfolders.vdf",
          "\"LibraryFolders\" { \"TimeNextStatsReport\" \"1\" \"1\" \"" +
              (h.dir / "disk2").string() + "\" }");
    EXPECT_EQ(steamLibraries(h.home),
              (Paths{h.home + "/.local/share/Steam", (h.dir / "disk2").string()}));

    const std::vector<std::string> brokenLists{
        "\"libraryfolders\" { \"1\" { \"path\" \"" + library + "\" }", // a block left open
        "\"libraryfolders\" { \"1\" { \"path\" \"" + library,          // a quote left open
        "\"libraryfolders\" { \"1\" } }",                              // a stray brace
        std::string(2 << 20, ' '),                                     // beyond the size cap
    };
    for (const std::string& broken : brokenLists) {
        h.put(".local/share/Steam/steamapps/libraryfolders.vdf", broken);
        EXPECT_EQ(steamLibraries(h.home), Paths{h.home + "/.local/share/Steam"});
        EXPECT_FALSE(h.search().isRegistered(IwadKind::Doom2));
    }
}

TEST(StoreIwads, GogGamesOfHeroicAndOfWinePrefixesAreSearched) {
    Home h;
    const std::string doom2Game = (h.dir / "Heroic/DOOM II").string();
    const std::string finalGame = (h.dir / "Heroic/Final Doom").string();
    const std::string doom2 = doom2Game + "/doom2/DOOM2.WAD";
    const std::string plutonia = finalGame + "/Plutonia/PLUTONIA.WAD";
    writeFile(doom2, mapIwad());
    writeFile(plutonia, mapIwad());
    h.put(".config/heroic/gog_store/installed.json",
          "{\"installed\": [{\"platform\": \"windows\", \"appName\": \"1435848814\", "
          "\"install_path\": \"" +
              doom2Game +
              "\", \"is_dlc\": false},\n"
              " {\"appName\": \"1435848742\", \"install_path\": \"" +
              finalGame +
              "\", "
              "\"install_size\": 1.5e3}]}");
    // Flatpak Heroic's list is broken (a trailing comma): it adds nothing.
    h.put(".var/app/com.heroicgameslauncher.hgl/config/heroic/gog_store/installed.json",
          "{\"installed\": [{\"install_path\": \"" + (h.dir / "other").string() + "\"},]}");
    // Lutris' prefix in ~/Games and Wine's own.
    const std::string doom =
        h.put("Games/doom-gog/drive_c/GOG Games/DOOM/DOOM.WAD", episodeIwad(3));
    const std::string tnt = h.put(".wine/drive_c/GOG Games/Final Doom/TNT/tnt.wad", mapIwad());

    EXPECT_EQ(gogInstallFolders(h.home),
              (Paths{doom2Game, finalGame, h.home + "/.wine/drive_c/GOG Games/Final Doom",
                     h.home + "/Games/doom-gog/drive_c/GOG Games/DOOM"}));
    const IwadRegistry r = h.search();
    EXPECT_EQ(r.StoredFiles, (Paths{doom2, doom, tnt, plutonia}));
}

TEST(StoreIwads, OnlyAnIwadWhoseLevelsFitTheKindIsTaken) {
    struct Case {
        const char* name;
        std::string bytes;
        bool taken;
    };
    const std::string full = mapIwad();
    const Case cases[] = {
        {"DOOM2.WAD", full, true},
        {"DOOM2.WAD", WadBuilder("PWAD").mapLevels(32).build(), false},
        {"DOOM2.WAD", mapIwad(31), false},
        {"DOOM2.WAD", episodeIwad(3), false},
        {"DOOM2.WAD", full.substr(0, full.size() / 2), false}, // its directory cut off
        {"DOOM2.WAD", "not a wad at all", false},
        {"DOOM.WAD", episodeIwad(3), true},
        {"DOOM.WAD", episodeIwad(1), false},
        {"DOOM.WAD", WadBuilder("IWAD").level("E1M1").level("MAP01").build(), false},
        {"DOOM1.WAD", episodeIwad(1), true},
        {"DOOM1.WAD", episodeIwad(4), false},
    };
    for (const Case& c : cases) {
        Home h;
        const std::string path = h.put(
            std::string(".local/share/Steam/steamapps/common/Doom 2/base/") + c.name, c.bytes);
        const auto kind = iwadKindOfPath(path);
        ASSERT_TRUE(kind);
        EXPECT_EQ(h.search().isRegistered(*kind), c.taken) << c.name << " " << c.bytes.size();
    }
}

TEST(StoreIwads, NothingOutsideTheNamedFoldersIsLookedAt) {
    Home h;
    const std::string common = ".local/share/Steam/steamapps/common/";
    for (const char* rel : {"DOOM2.WAD", "Doom 2/DOOM2.WAD", "Doom 2/base/extra/DOOM2.WAD",
                            "Doom 2/masterbase/master/wads/DOOM2.WAD"})
        h.put(common + rel, mapIwad());
    h.put("Games/x/drive_c/GOG Games/DOOM/deeper/DOOM.WAD", episodeIwad(3));
    EXPECT_TRUE(h.search().StoredFiles.empty());
    EXPECT_TRUE(storeIwadFolders((h.dir / "no-home").string()).empty());
}

TEST(StoreIwads, ComeAfterTheUsersListAndBeforeFreedoom) {
    Home h;
    const std::string freedoom = (h.dir / "share/games/doom").string();
    h.vars["XDG_DATA_DIRS"] = (h.dir / "share").string();
    writeFile(freedoom + "/freedoom1.wad", episodeIwad(4));
    writeFile(freedoom + "/freedoom2.wad", mapIwad());
    const std::string base = ".local/share/Steam/steamapps/common/Doom 2/base/";
    const std::string steamDoom2 = h.put(base + "DOOM2.WAD", mapIwad());
    const std::string steamTnt =
        h.put(".local/share/Steam/steamapps/common/Final Doom/base/TNT.WAD", mapIwad());
    // The engine's node cache beside a store's IWAD is left alone.
    const std::string cache = h.put(base + "DOOM2.KRVgwa", "nodes");

    IwadRegistry r = h.startup();
    EXPECT_EQ(r.path(IwadKind::Doom2), steamDoom2);
    EXPECT_EQ(r.path(IwadKind::Doom), freedoom + "/freedoom1.wad");
    EXPECT_TRUE(fs::exists(cache));

    // The user's own Doom II wins over the store's; its TNT still comes.
    const std::string own = (h.dir / "own/Doom2.wad").string();
    writeFile(own, "the user's choice is never read");
    writeFile(h.dataFolder + "iwads.cfg", own + "\r\n");
    r = h.startup();
    EXPECT_EQ(r.path(IwadKind::Doom2), own);
    EXPECT_EQ(r.path(IwadKind::Tnt), steamTnt);
}

TEST(StoreIwads, TheDialogsSearchKeepsAStoresFindWithoutStandIns) {
    Home h;
    const std::string steamDoom2 =
        h.put(".local/share/Steam/steamapps/common/Doom 2/base/DOOM2.WAD", mapIwad());
    IwadRegistry r;
    EXPECT_TRUE(searchIwadsFromDialog(r, h.root, h.dataFolder, h.env()));
    EXPECT_EQ(r.slotPaths[0], steamDoom2);

    // With a stand-in among the finds the list is not kept.
    h.vars["XDG_DATA_DIRS"] = (h.dir / "share").string();
    writeFile((h.dir / "share/games/doom/freedoom1.wad").string(), episodeIwad(4));
    EXPECT_FALSE(searchIwadsFromDialog(r, h.root, h.dataFolder, h.env()));
    EXPECT_EQ(r.slotPaths[1], (h.dir / "share/games/doom/freedoom1.wad").string());

    // Nothing from a store: nothing to keep, as before.
    fs::remove_all(h.home + "/.local");
    EXPECT_FALSE(searchIwadsFromDialog(r, h.root, h.dataFolder, h.env()));
}
