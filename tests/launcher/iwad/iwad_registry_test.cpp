#include "launcher/inspect/iwad_registry.h"

#include "common/text_file.h"
#include "support/fake_environment.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

using namespace krv;
using krv::test::readFile;
using krv::test::TempDir;
using krv::test::writeFile;
namespace fs = std::filesystem;

namespace {

// An installation root and an environment folder side by side, with the
// environment given by a map instead of the process's own.
struct Places {
    TempDir dir;
    std::string root = (dir / "Korvath").string();
    std::string envFolder = (dir / "wads").string();
    std::string dataFolder = root + "/KRVLaunch/Data/";
    std::map<std::string, std::string> vars;

    Places() {
        // The Linux places point into the temporary folder, never at the
        // IWADs of the test machine.
        vars["XDG_DATA_HOME"] = (dir / "share").string();
        vars["XDG_DATA_DIRS"] = (dir / "usr/share").string();
        fs::create_directories(dataFolder);
        fs::create_directories(envFolder);
    }
    EnvironmentLookup env() const { return krv::test::environmentOf(vars); }
    // Puts a stand-in file; its contents never matter.
    std::string put(const std::string& folder, const std::string& name) {
        const std::string path = folder + "/" + name;
        writeFile(path, "not really a wad");
        return path;
    }
    std::string cfg() const { return dataFolder + "iwads.cfg"; }
    void writeCfg(std::string_view bytes) { writeFile(cfg(), bytes); }

    IwadRegistry search() const {
        IwadRegistry r;
        searchIwads(r, root, env());
        return r;
    }
};

using Paths = std::vector<std::string>;

} // namespace

TEST(IwadKinds, FileNamesAndTitlesCompareWithoutCase) {
    EXPECT_EQ(iwadKindOfPath("/games/x/doom1.Wad"), IwadKind::Shareware);
    EXPECT_EQ(iwadKindOfPath("C:\\Games\\PLUTONIA.wad"), IwadKind::Plutonia);
    EXPECT_FALSE(iwadKindOfPath("/games/MyDoom.wad"));
    EXPECT_FALSE(iwadKindOfPath("/games/Doom2.wad.bak"));
    EXPECT_FALSE(iwadKindOfPath(""));

    EXPECT_EQ(iwadKindOfTitle("DOOM II"), IwadKind::Doom2);
    EXPECT_EQ(iwadKindOfTitle("Doom/Ultimate Doom"), IwadKind::Doom);
    EXPECT_FALSE(iwadKindOfTitle("Doom 3"));

    EXPECT_EQ(folderOfPath("C:\\Games\\Doom2.wad"), "C:/Games");
    EXPECT_EQ(folderOfPath("/Doom2.wad"), "/");
    EXPECT_EQ(folderOfPath("Doom2.wad"), "");
}

TEST(IwadSearch, FollowsItsOrderAndTheFirstFoundPerKindWins) {
    Places p;
    p.vars["DOOMWADDIR"] = p.envFolder;
    const std::string envTnt = p.put(p.envFolder, "Tnt.wad");
    p.put(p.root, "Tnt.wad");
    const std::string rootDoom2 = p.put(p.root, "Doom2.wad");
    const std::string rootDoom = p.put(p.root, "Doom.wad");
    p.put(p.root + "/Data", "Doom2.wad");
    const std::string dataPlutonia = p.put(p.root + "/Data", "Plutonia.wad");
    p.put(p.root + "/Iwads", "Plutonia.wad");
    const std::string iwadsDoom1 = p.put(p.root + "/Iwads", "Doom1.wad");
    p.put(p.root, "Doom1.wad");

    const IwadRegistry r = p.search();
    EXPECT_EQ(r.StoredFiles, (Paths{envTnt, rootDoom2, rootDoom, dataPlutonia, iwadsDoom1}));
    EXPECT_EQ(r.path(IwadKind::Tnt), envTnt);
    EXPECT_EQ(r.path(IwadKind::Doom2), rootDoom2);
    EXPECT_EQ(r.path(IwadKind::Shareware), iwadsDoom1);
}

TEST(IwadSearch, LooksForTheFourGamesInTheirOrderWithinAFolder) {
    Places p;
    const std::string plutonia = p.put(p.root + "/Iwads", "Plutonia.wad");
    const std::string tnt = p.put(p.root + "/Iwads", "Tnt.wad");
    const std::string doom = p.put(p.root + "/Iwads", "Doom.wad");
    const std::string doom2 = p.put(p.root + "/Iwads", "Doom2.wad");
    EXPECT_EQ(p.search().StoredFiles, (Paths{doom2, doom, tnt, plutonia}));
}

TEST(IwadSearch, SharewareDoomIsLookedForLastInItsOwnOrder) {
    Places p;
    p.put(p.root, "Doom1.wad");
    const std::string data = p.put(p.root + "/Data", "Doom1.wad");
    EXPECT_EQ(p.search().path(IwadKind::Shareware), data); // Data before the root

    p.put(p.root + "/Iwads", "Doom1.wad");
    EXPECT_EQ(p.search().path(IwadKind::Shareware), p.root + "/Iwads/Doom1.wad");

    p.vars["DOOMWADDIR"] = p.envFolder;
    const std::string env = p.put(p.envFolder, "Doom1.wad");
    const std::string doom2 = p.put(p.root + "/Iwads", "Doom2.wad");
    // Found after every full game, even one in a folder searched later.
    EXPECT_EQ(p.search().StoredFiles, (Paths{doom2, env}));
}

TEST(IwadSearch, AllFiveKindsRegisteredButSharewareDoomIsNotShown) {
    Places p;
    for (const char* name : {"Doom1.wad", "Doom.wad", "Doom2.wad", "Tnt.wad", "Plutonia.wad"})
        p.put(p.root, name);
    IwadRegistry r = p.search();
    for (const auto& info : iwadKinds())
        EXPECT_TRUE(r.isRegistered(info.kind)) << info.fileName;

    const Paths copied = r.fillSlotsFromBuffer();
    EXPECT_EQ(copied.size(), 4u);
    EXPECT_TRUE(r.StoredFiles.empty());
    for (const std::string& slot : r.slotPaths)
        EXPECT_NE(fileNameOfPath(slot), "Doom1.wad");
    EXPECT_EQ(r.slotPaths[0], p.root + "/Doom2.wad");
}

TEST(IwadSearch, NamesCompareWithoutCaseAndTheDiskSpellingIsKept) {
    Places p;
    const std::string lower = p.put(p.root, "doom2.WAD");
    p.put(p.root + "/DATA", "PLUTONIA.WAD");
    const IwadRegistry r = p.search();
    EXPECT_EQ(r.path(IwadKind::Doom2), lower);
    EXPECT_EQ(r.path(IwadKind::Plutonia), p.root + "/DATA/PLUTONIA.WAD");
}

TEST(IwadSearch, FoldersNamedLikeIwadsAreNotRegistered) {
    Places p;
    fs::create_directories(p.root + "/Doom2.wad");
    fs::create_directories(p.root + "/Iwads/Tnt.wad");
    const std::string data = p.put(p.root + "/Data", "Doom2.wad");
    const IwadRegistry r = p.search();
    EXPECT_EQ(r.StoredFiles, (Paths{data}));
    EXPECT_FALSE(r.isRegistered(IwadKind::Tnt));
}

TEST(IwadSearch, EnvironmentFolderIsPreferredAndItsVariablesAreChosenInOrder) {
    Places p;
    const std::string other = (p.dir / "other").string();
    fs::create_directories(other);
    const std::string envDoom2 = p.put(p.envFolder, "Doom2.wad");
    const std::string otherDoom2 = p.put(other, "Doom2.wad");
    p.put(p.root, "Doom2.wad");

    p.vars["DOOMWADDIR"] = p.envFolder;
    EXPECT_EQ(p.search().path(IwadKind::Doom2), envDoom2);

    // "$DOOMWADDIR" (the dollar sign is part of the name) wins when its
    // folder exists ...
    p.vars["$DOOMWADDIR"] = other;
    EXPECT_EQ(p.search().path(IwadKind::Doom2), otherDoom2);
    // ... and is passed over when it does not.
    p.vars["$DOOMWADDIR"] = other + "/missing";
    EXPECT_EQ(p.search().path(IwadKind::Doom2), envDoom2);

    // Either separator, and a trailing one, are accepted.
    p.vars.erase("$DOOMWADDIR");
    std::string windowsStyle = p.envFolder + "\\";
    std::replace(windowsStyle.begin(), windowsStyle.end(), '/', '\\');
    p.vars["DOOMWADDIR"] = windowsStyle;
    EXPECT_EQ(iwadEnvironmentFolder(p.env()), p.envFolder);
    EXPECT_EQ(p.search().path(IwadKind::Doom2), envDoom2);
}

TEST(IwadSearch, EnvironmentStepsAreSkippedWhenNoVariableNamesAFolder) {
    Places p;
    const std::string rootDoom2 = p.put(p.root, "Doom2.wad");
    const std::string aFile = p.put(p.envFolder, "notes.txt");
    for (const std::string& value : {std::string(), p.envFolder + "/missing", aFile}) {
        p.vars["DOOMWADDIR"] = value;
        p.vars["$DOOMWADDIR"] = value;
        EXPECT_EQ(iwadEnvironmentFolder(p.env()), "") << value;
        EXPECT_EQ(p.search().StoredFiles, (Paths{rootDoom2})) << value;
    }
    EXPECT_EQ(iwadEnvironmentFolder(EnvironmentLookup()), "");
}

TEST(IwadSearch, UnreadableFoldersOnTheSearchPathAreSkipped) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    Places p;
    p.put(p.root + "/Data", "Doom2.wad");
    const std::string tnt = p.put(p.root + "/Iwads", "Tnt.wad");
    fs::permissions(p.root + "/Data", fs::perms::none);
    const IwadRegistry r = p.search();
    EXPECT_EQ(r.StoredFiles, (Paths{tnt}));
}

TEST(IwadRegistry, RegistrationCheckAndLookUpByFileName) {
    Places p;
    const std::string a = p.put(p.dir.path().string() + "/a", "Doom2.wad");
    const std::string b = p.put(p.dir.path().string() + "/b", "DOOM2.WAD");
    const std::string mine = p.put(p.dir.path().string() + "/b", "MyDoom.wad");
    fs::create_directories(p.dir / "c/Doom.wad");

    IwadRegistry r;
    EXPECT_TRUE(r.registerPath(a));
    EXPECT_FALSE(r.registerPath(b)); // detection: the first stays
    EXPECT_FALSE(r.registerPath(mine));
    EXPECT_EQ(r.StoredFiles, (Paths{a}));
    EXPECT_EQ(r.path(IwadKind::Doom2), a);

    EXPECT_TRUE(r.CheckIwad(b)); // the dialog: the newer replaces
    EXPECT_EQ(r.path(IwadKind::Doom2), b);
    EXPECT_FALSE(r.CheckIwad(mine));
    EXPECT_FALSE(r.CheckIwad((p.dir / "c/Doom.wad").string())); // a folder
    EXPECT_FALSE(r.CheckIwad((p.dir / "gone/Tnt.wad").string()));
    EXPECT_FALSE(r.CheckIwad(""));
    EXPECT_EQ(r.path(IwadKind::Doom2), b);
    EXPECT_FALSE(r.isRegistered(IwadKind::Doom));
    EXPECT_FALSE(r.isRegistered(IwadKind::Tnt));
    EXPECT_EQ(r.StoredFiles, (Paths{a})); // the dialog's check buffers nothing

    EXPECT_EQ(r.pathForFileName("doom2.wad"), b);
    EXPECT_EQ(r.pathForFileName("/elsewhere/Doom2.WAD"), b);
    EXPECT_EQ(r.pathForFileName("Tnt.wad"), ""); // known kind, not registered
    EXPECT_EQ(r.pathForFileName("MyDoom.wad"), std::nullopt);

    r.slotPaths[0] = b;
    r.clear();
    EXPECT_FALSE(r.isRegistered(IwadKind::Doom2));
    EXPECT_EQ(r.slotPaths[0], "");
}

TEST(IwadLocationTest, AnswersFalseForEachStandardPlaceAndTrueOtherwise) {
    Places p;
    const std::string dollar = (p.dir / "dollar").string();
    fs::create_directories(dollar);
    p.vars["DOOMWADDIR"] = p.envFolder;
    p.vars["$DOOMWADDIR"] = dollar;
    const std::string elsewhere = (p.dir / "elsewhere/Doom2.wad").string();

    EXPECT_EQ(iwadLocationTest(elsewhere, p.root, p.env()), "True");

    const std::vector<std::string> places{p.envFolder, dollar, p.root, p.root + "/Data",
                                          p.root + "/Iwads"};
    for (const std::string& folder : places) {
        const std::string file = p.put(folder, "doom2.WAD");
        EXPECT_EQ(iwadLocationTest(elsewhere, p.root, p.env()), "False") << folder;
        fs::remove(file);
        EXPECT_EQ(iwadLocationTest(elsewhere, p.root, p.env()), "True") << folder;
    }

    // A folder of that name is no file; only the name of the path counts.
    fs::create_directories(p.root + "/Doom2.wad");
    EXPECT_EQ(iwadLocationTest(elsewhere, p.root, p.env()), "True");
    p.put(p.root + "/Iwads", "Tnt.wad");
    EXPECT_EQ(iwadLocationTest("C:\\Games\\TNT.WAD", p.root, p.env()), "False");
    EXPECT_EQ(iwadLocationTest("", p.root, p.env()), "True");
}

TEST(IwadLocationTest, EnvironmentPlacesCountOnlyWhenTheyNameAFolder) {
    Places p;
    const std::string file = p.put(p.envFolder, "Doom.wad");
    p.vars["DOOMWADDIR"] = p.envFolder;
    EXPECT_EQ(iwadLocationTest("/x/Doom.wad", p.root, p.env()), "False");
    p.vars.erase("DOOMWADDIR");
    p.vars["$DOOMWADDIR"] = p.envFolder;
    EXPECT_EQ(iwadLocationTest("/x/Doom.wad", p.root, p.env()), "False");
    // A variable naming the file itself, or nothing, is no place.
    p.vars["$DOOMWADDIR"] = file;
    p.vars["DOOMWADDIR"] = "";
    EXPECT_EQ(iwadLocationTest("/x/Doom.wad", p.root, p.env()), "True");
}

TEST(IwadsCfg, IsReadAfterTheSearchAndFillsOnlyFreeKinds) {
    Places p;
    const std::string rootDoom2 = p.put(p.root, "Doom2.wad");
    const std::string userDoom2 = p.put(p.dir.path().string() + "/user", "Doom2.wad");
    const std::string userTnt = p.put(p.dir.path().string() + "/user", "Tnt.wad");
    p.writeCfg(userDoom2 + "\r\n" + userTnt + "\r\n\r\n\r\n");

    IwadRegistry r;
    EXPECT_FALSE(registerIwadsAtStartup(r, p.root, p.dataFolder, p.env()));
    EXPECT_EQ(r.path(IwadKind::Doom2), rootDoom2);
    EXPECT_EQ(r.path(IwadKind::Tnt), userTnt);
    EXPECT_EQ(r.slotPaths, (std::array<std::string, 4>{rootDoom2, userTnt, "", ""}));
    EXPECT_TRUE(r.StoredFiles.empty());
    EXPECT_EQ(r.addDialogFolder, p.dir.path().string() + "/user");
    EXPECT_TRUE(fs::exists(p.cfg()));
}

TEST(IwadsCfg, AddDialogFolderFallsBackToTheRoot) {
    Places p;
    IwadRegistry r;
    registerIwadsAtStartup(r, p.root, p.dataFolder, p.env()); // no file
    EXPECT_EQ(r.addDialogFolder, p.root);

    // The first line's folder is gone; the second line still registers.
    const std::string tnt = p.put(p.envFolder, "Tnt.wad");
    p.writeCfg("/no/such/folder/Doom2.wad\r\n" + tnt + "\r\n");
    registerIwadsAtStartup(r, p.root, p.dataFolder, p.env());
    EXPECT_EQ(r.addDialogFolder, p.root);
    EXPECT_EQ(r.slotPaths[0], tnt);

    // An empty first line has no folder either.
    p.writeCfg("\r\n" + tnt + "\r\n");
    registerIwadsAtStartup(r, p.root, p.dataFolder, p.env());
    EXPECT_EQ(r.addDialogFolder, p.root);
}

TEST(IwadsCfg, IsDeletedWhenNoLineNamesAnExistingFile) {
    Places p;
    p.writeCfg("/gone/Doom2.wad\r\n/gone/Tnt.wad\r\n\r\n\r\n");
    IwadRegistry r;
    EXPECT_TRUE(registerIwadsAtStartup(r, p.root, p.dataFolder, p.env()));
    EXPECT_FALSE(fs::exists(p.cfg()));
    EXPECT_EQ(r.slotPaths[0], "");

    // A line naming an existing file keeps it, even when the search had
    // already registered that kind.
    const std::string rootDoom = p.put(p.root, "Doom.wad");
    p.writeCfg("/gone/Doom2.wad\r\n" + rootDoom + "\r\n");
    EXPECT_FALSE(registerIwadsAtStartup(r, p.root, p.dataFolder, p.env()));
    EXPECT_TRUE(fs::exists(p.cfg()));
    EXPECT_EQ(r.slotPaths, (std::array<std::string, 4>{rootDoom, "", "", ""}));
}

TEST(IwadsCfg, ShortFilesAndLineFeedsAreReadAsFarAsTheyGo) {
    Places p;
    const std::string plutonia = p.put(p.envFolder, "Plutonia.wad");
    p.writeCfg(plutonia); // one line without an ending
    IwadRegistry r;
    EXPECT_FALSE(registerIwadsAtStartup(r, p.root, p.dataFolder, p.env()));
    EXPECT_EQ(r.slotPaths[0], plutonia);

    const std::string doom = p.put(p.envFolder, "Doom.wad");
    p.writeCfg("\n" + doom + "\n");
    registerIwadsAtStartup(r, p.root, p.dataFolder, p.env());
    EXPECT_EQ(r.slotPaths[0], doom);

    p.writeCfg("");
    EXPECT_TRUE(registerIwadsAtStartup(r, p.root, p.dataFolder, p.env()));
    EXPECT_FALSE(fs::exists(p.cfg()));
}

TEST(IwadsCfg, BadLinesAreSkippedAndOnlyTheFourSlotLinesCount) {
    Places p;
    const std::string doom2 = p.put(p.envFolder, "Doom2.wad");
    const std::string tnt = p.put(p.envFolder, "Tnt.wad");
    std::string junk = doom2 + std::string("\0junk", 5); // would pass as doom2 if cut at NUL
    std::string binary;
    for (int i = 0; i < 256; ++i)
        binary += static_cast<char>(i == '\n' ? 'x' : i);
    const std::string longLine(200000, 'a');

    p.writeCfg(junk + "\r\n" + binary + "\r\n" + longLine + "\r\n\r\n" + tnt + "\r\n");
    IwadRegistry r;
    EXPECT_TRUE(registerIwadsAtStartup(r, p.root, p.dataFolder, p.env()));
    EXPECT_FALSE(r.isRegistered(IwadKind::Doom2));
    EXPECT_FALSE(r.isRegistered(IwadKind::Tnt)); // a fifth line is no slot
    EXPECT_FALSE(fs::exists(p.cfg()));

    // The same text with the good line among the four is read.
    p.writeCfg(junk + "\r\n" + longLine + "\r\n" + tnt + "\r\n" + binary + "\r\n");
    EXPECT_FALSE(registerIwadsAtStartup(r, p.root, p.dataFolder, p.env()));
    EXPECT_EQ(r.slotPaths[0], tnt);
    EXPECT_EQ(r.addDialogFolder, p.root);
}

TEST(IwadsCfg, AFolderInPlaceOfTheFileIsLeftAlone) {
    Places p;
    fs::create_directories(p.cfg());
    IwadRegistry r;
    EXPECT_TRUE(registerIwadsAtStartup(r, p.root, p.dataFolder, p.env()));
    EXPECT_TRUE(fs::is_directory(p.cfg()));
    r.slotPaths[0] = "/x/Doom2.wad";
    EXPECT_FALSE(writeIwadsCfg(r, p.dataFolder));
}

TEST(IwadsCfg, WritesExactlyFourLinesAndDeletes) {
    Places p;
    IwadRegistry r;
    r.slotPaths = {"/g/Doom2.wad", "", "/h/Tnt.wad", ""};
    ASSERT_TRUE(writeIwadsCfg(r, p.dataFolder));
    EXPECT_EQ(readFile(p.cfg()), "/g/Doom2.wad\r\n\r\n/h/Tnt.wad\r\n\r\n");

    r.slotPaths = {};
    ASSERT_TRUE(writeIwadsCfg(r, p.dataFolder));
    EXPECT_EQ(readFile(p.cfg()), "\r\n\r\n\r\n\r\n");

    deleteIwadsCfg(p.dataFolder);
    EXPECT_FALSE(fs::exists(p.cfg()));
    deleteIwadsCfg(p.dataFolder); // nothing to delete
    // Found without regard to case.
    writeFile(p.dataFolder + "IWADS.CFG", "x\r\n");
    deleteIwadsCfg(p.dataFolder);
    EXPECT_FALSE(fs::exists(p.dataFolder + "IWADS.CFG"));
}

TEST(IwadStartup, RemovesNodeCachesBesideTheIwadsCopiedIntoTheSlots) {
    Places p;
    for (const char* name : {"Doom.wad", "Doom2.wad", "Tnt.wad", "Plutonia.wad"})
        p.put(p.root, name);
    const std::string doom1 = p.put(p.root + "/Iwads", "Doom1.wad");
    p.put(p.root, "Doom2.KRVgwa");
    p.put(p.root, "tnt.krvgwa");
    p.put(p.root, "Plutonia.gwa");
    p.put(p.root + "/Iwads", "Doom1.KRVgwa");
    p.put(p.root, "Doom.KRVgwa.txt");

    IwadRegistry r;
    EXPECT_FALSE(registerIwadsAtStartup(r, p.root, p.dataFolder, p.env()));
    EXPECT_FALSE(fs::exists(p.root + "/Doom2.KRVgwa"));
    EXPECT_FALSE(fs::exists(p.root + "/tnt.krvgwa"));
    EXPECT_TRUE(fs::exists(p.root + "/Doom2.wad"));
    EXPECT_TRUE(fs::exists(p.root + "/Plutonia.gwa"));
    EXPECT_TRUE(fs::exists(p.root + "/Doom.KRVgwa.txt"));
    // Shareware Doom is registered but not in a slot: its cache stays.
    EXPECT_EQ(r.path(IwadKind::Shareware), doom1);
    EXPECT_TRUE(fs::exists(p.root + "/Iwads/Doom1.KRVgwa"));

    // A folder of the cache's name is not deleted.
    fs::create_directories(p.root + "/Doom.KRVgwa");
    removeIwadNodeCache(p.root + "/Doom.wad");
    EXPECT_TRUE(fs::is_directory(p.root + "/Doom.KRVgwa"));
}

TEST(DoomGamesView, TitlesFollowTheViewOrderAndTheFont) {
    IwadRegistry r;
    EXPECT_TRUE(doomGamesTitles(r, true).empty());
    r.paths[static_cast<int>(IwadKind::Tnt)] = "/g/Tnt.wad";
    r.paths[static_cast<int>(IwadKind::Doom2)] = "/g/Doom2.wad";
    r.paths[static_cast<int>(IwadKind::Shareware)] = "/g/Doom1.wad";
    EXPECT_EQ(doomGamesTitles(r, true), (Paths{"Shareware Doom", "Doom II", "TNT - Final Doom"}));
    EXPECT_EQ(doomGamesTitles(r, false), (Paths{"SHAREWARE DOOM", "DOOM II", "TNT - FINAL DOOM"}));

    for (auto& path : r.paths)
        path = "/g/x.wad";
    EXPECT_EQ(doomGamesTitles(r, true), (Paths{"Shareware Doom", "Doom/Ultimate Doom", "Doom II",
                                               "The Plutonia Experiment", "TNT - Final Doom"}));
}

TEST(LinuxIwadPlaces, ComeAfterTheListAndFreedoomStandsInOnlyForFreeKinds) {
    Places p;
    const std::string home = (p.dir / "home").string();
    const std::string wadPath = p.dir.path().string() + "/path1";
    p.vars.erase("XDG_DATA_HOME");
    p.vars["HOME"] = home;
    p.vars["DOOMWADPATH"] = ":" + (p.dir / "missing").string() + ":" + wadPath + ":";
    p.vars["XDG_DATA_DIRS"] =
        (p.dir / "usr/local/share").string() + ":" + (p.dir / "usr/share").string();
    const std::string homeDoom = home + "/.local/share/games/doom";
    const std::string sysDoom = (p.dir / "usr/share/games/doom").string();

    // A commercial name in a later place wins over a stand-in in an earlier one.
    const std::string tnt = p.put(sysDoom, "TNT.WAD");
    const std::string standIn1 = p.put(wadPath, "freedoom1.wad");
    p.put(sysDoom, "Doom.wad");
    // Doom II is taken by iwads.cfg, so no stand-in pushes the user's copy out.
    const std::string userDoom2 = p.put(p.dir.path().string() + "/user", "Doom2.wad");
    p.writeCfg(userDoom2 + "\r\n");
    p.put(homeDoom, "freedoom2.wad");

    EXPECT_EQ(linuxIwadFolders(p.env()), (Paths{wadPath, homeDoom, sysDoom}));
    IwadRegistry r;
    EXPECT_FALSE(registerIwadsAtStartup(r, p.root, p.dataFolder, p.env()));
    EXPECT_EQ(r.path(IwadKind::Doom2), userDoom2);
    EXPECT_EQ(r.path(IwadKind::Tnt), tnt);
    EXPECT_EQ(r.path(IwadKind::Doom), sysDoom + "/Doom.wad");
    EXPECT_NE(r.path(IwadKind::Doom), standIn1);

    // Freedoom alone: both stand-ins registered under their kinds' titles.
    Places only;
    const std::string dirs = (only.dir / "usr/share").string();
    only.vars["XDG_DATA_DIRS"] = dirs;
    const std::string fd1 = only.put(dirs + "/games/doom", "freedoom1.wad");
    const std::string fd2 = only.put(dirs + "/games/doom", "freedoom2.wad");
    IwadRegistry alone;
    EXPECT_FALSE(registerIwadsAtStartup(alone, only.root, only.dataFolder, only.env()));
    EXPECT_EQ(alone.path(IwadKind::Doom), fd1);
    EXPECT_EQ(alone.pathForFileName("Doom2.wad"), fd2);
    EXPECT_EQ(doomGamesTitles(alone, true), (Paths{"Doom/Ultimate Doom", "Doom II"}));
    // The engine does not find a stand-in by itself: it is named on the line.
    EXPECT_EQ(iwadLocationTest(fd2, only.root, only.env()), "True");
    // The dialog accepts the stand-ins' names too.
    IwadRegistry added;
    EXPECT_TRUE(added.CheckIwad(fd2));
    EXPECT_EQ(added.path(IwadKind::Doom2), fd2);
}
