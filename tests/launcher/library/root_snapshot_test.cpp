// Every destructive operation of the games and zip libraries, run with
// hostile names, with links out of the installation root and as an ordinary
// user over read-only files and folders: a snapshot of the whole root and of
// the folder the links point to, taken before and after, may differ only in
// the paths the operation owns.

#include "launcher/library/game_operations.h"
#include "launcher/library/zip_library.h"
#include "launcher/music/playlist_format.h"
#include "launcher/options/model_packs.h"

#include "support/install_root.h"
#include "support/ordinary_user.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

namespace krv {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;

// Relative path -> "dir", "-> target" for a link, or "size:hash".
using Snapshot = std::map<std::string, std::string>;

void addSnapshot(Snapshot& into, const fs::path& top, const std::string& prefix) {
    for (const auto& entry : fs::recursive_directory_iterator(top)) {
        const std::string rel = prefix + entry.path().lexically_relative(top).string();
        if (entry.is_symlink())
            into[rel] = "-> " + fs::read_symlink(entry.path()).string();
        else if (entry.is_regular_file()) {
            const std::string bytes = readFile(entry.path());
            into[rel] = std::to_string(bytes.size()) + ":" +
                        std::to_string(std::hash<std::string>{}(bytes));
        } else
            into[rel] = "dir";
    }
}

// An installation with two games, saved games, resources, node files, an
// archive and a playlist, and links out of the root in the games folder,
// UserSG, gwa and the zip work folder.
struct Installation {
    test::InstallRoot root;
    test::TempDir outside;
    InstallPaths paths = InstallPaths::fromRoot(root.root());

    Installation() {
        for (const char* file :
             {"KRVGames/Castle/Pwads/castle.wad", "KRVGames/Castle/Pwads/...wad",
              "KRVGames/Hell/Gwads/hell.wad", "KRVGames/Hell/Gwads/..wad",
              "UserSG/Castle/savegame/KorvathSav0.krvsg", "UserSG/arch/savegame/KorvathSav0.krvsg",
              "Md2/castle/m.md2", "Md2/other/m.md2", "Data/Custom.hires/castle/t.png",
              "Data/Custom.music/castle/m.ogg", "KRVAnFiles/castle_map01.gwa", "gwa/castle.gwa",
              "KRVArchives/arch.zip", "KRVLaunch/Music/list.m3u", "KRVLaunch/GameInfo/keep.krvm"})
            writeFile(root / file, "bytes of " + std::string(file));
        writeFile(outside.path() / "game/Pwads/away.wad", "theirs");
        writeFile(outside.path() / "game/Gwads/away.wad", "theirs");
        writeFile(outside.path() / "node.gwa", "theirs");
        fs::create_directory_symlink(outside.path() / "game", root / "KRVGames/Away");
        fs::create_directory_symlink(outside.path(), root / "UserSG/Away");
        fs::create_directory_symlink(outside.path(), root / "KRVLaunch/Zips");
        fs::create_symlink(outside.path() / "node.gwa", root / "gwa/castle_link.gwa");
        fs::create_directory_symlink(outside.path(), root / "Md2/Monsters");
        fs::create_directory_symlink(outside.path() / "game", root / "Md2/Items");
    }
    Snapshot snapshot() const {
        Snapshot s;
        addSnapshot(s, root.root(), "");
        addSnapshot(s, outside.path(), "OUTSIDE/");
        return s;
    }
};

// The paths whose snapshot entries differ.
std::vector<std::string> changed(const Snapshot& before, const Snapshot& after) {
    std::vector<std::string> paths;
    for (const auto& [path, state] : before)
        if (auto it = after.find(path); it == after.end() || it->second != state)
            paths.push_back(path);
    for (const auto& [path, state] : after)
        if (!before.contains(path))
            paths.push_back(path);
    return paths;
}

bool owned(const std::string& path, const std::vector<std::string>& prefixes) {
    for (const std::string& p : prefixes)
        if (path == p || path.starts_with(p + "/"))
            return true;
    return false;
}

using Operation = std::function<void(const InstallPaths&)>;

struct Case {
    std::string label;
    Operation run;
    std::vector<std::string> owns; // empty: nothing may change
};

const std::vector<std::string> kHostile = {".", "..", "...wad", "..wad", "a\"b", "a\r\nb", ""};

std::vector<Case> cases() {
    std::vector<Case> all;
    const std::vector<std::string> records = {"KRVLaunch/GameInfo", "KRVAnFiles", "gwa"};
    for (const std::string& n : kHostile) {
        const std::string shown = "[" + n + "]";
        // A hostile selected wad: only the game folder and its records go.
        std::vector<std::string> castle = records;
        castle.push_back("KRVGames/Castle");
        all.push_back({"uninstall Castle with wad " + shown,
                       [n](const InstallPaths& p) {
                           uninstallGame(p, {"Castle", false, wadBaseName(n)});
                       },
                       castle});
        all.push_back({"uninstall game " + shown,
                       [n](const InstallPaths& p) {
                           uninstallGame(p, {n, false, ""});
                       },
                       {}});
        all.push_back({"rename Castle to " + shown,
                       [n](const InstallPaths& p) {
                           renameGame(p, {"Castle", false, ""}, n);
                       },
                       {}});
        all.push_back({"rename " + shown,
                       [n](const InstallPaths& p) {
                           renameGame(p, {n, true, ""}, "New");
                       },
                       {}});
        all.push_back({"convert to auto " + shown,
                       [n](const InstallPaths& p) {
                           convertToAuto(p, {n, false, ""});
                       },
                       {}});
        all.push_back({"convert to manual " + shown,
                       [n](const InstallPaths& p) {
                           convertToManual(p, {n, true, ""});
                       },
                       {}});
        all.push_back({"delete file " + shown,
                       [n](const InstallPaths& p) {
                           deleteGameFile(p, {"Hell", true, ""}, n);
                       },
                       {}});
        all.push_back({"delete archive " + shown,
                       [n](const InstallPaths& p) { deleteArchive(p, p.archivesFolder, n); },
                       {}});
        all.push_back(
            {"rename archive to " + shown,
             [n](const InstallPaths& p) { renameArchive(p, p.archivesFolder, "arch", n); },
             {}});
        all.push_back({"rename archive " + shown,
                       [n](const InstallPaths& p) { renameArchive(p, p.archivesFolder, n, "new"); },
                       {}});
        all.push_back({"delete playlist " + shown,
                       [n](const InstallPaths& p) { deletePlaylistFile(p, n); },
                       {}});
    }
    // The game folder is a link out of the root: refused, or (uninstall,
    // rename) the link itself is removed or renamed inside the games folder.
    all.push_back({"uninstall of a linked game",
                   [](const InstallPaths& p) {
                       uninstallGame(p, {"Away", false, "away"});
                   },
                   {"KRVGames/Away"}});
    for (const auto& [label, run] : std::vector<std::pair<std::string, Operation>>{
             {"convert to auto",
              [](const InstallPaths& p) {
                  convertToAuto(p, {"Away", false, ""});
              }},
             {"convert to manual",
              [](const InstallPaths& p) {
                  convertToManual(p, {"Away", true, ""});
              }},
             {"delete file", [](const InstallPaths& p) {
                  deleteGameFile(p, {"Away", true, ""}, "away.wad");
              }}})
        all.push_back({label + " of a linked game", run, {}});
    all.push_back({"rename of a linked game",
                   [](const InstallPaths& p) {
                       renameGame(p, {"Away", false, ""}, "Moved");
                   },
                   {"KRVGames/Away", "KRVGames/Moved"}});
    all.push_back({"delete archive with a linked saves folder",
                   [](const InstallPaths& p) { deleteArchive(p, p.archivesFolder, "Away"); },
                   {"UserSG/Away", "KRVLaunch/GameInfo"}});
    all.push_back({"purge saved games",
                   [](const InstallPaths& p) { purgeSaveGames(p); },
                   {"UserSG", "KRVAnFiles", "KRVLaunch/GameInfo/Save"}});
    all.push_back({"purge nodes",
                   [](const InstallPaths& p) { purgeNodes(p); },
                   {"KRVAnFiles/castle_map01.gwa", "gwa/castle.gwa", "gwa/castle_link.gwa"}});
    all.push_back({"copy extracted files into a linked game",
                   [](const InstallPaths& p) {
                       ci::transferFolder(p.gamesFolder, p.root + "/KRVGames/Castle/Pwads",
                                          p.gamesFolder + "Away/Gwads", ci::Transfer::Copy);
                   },
                   {}});
    // The packs' folders that are links go as links; what they point to stays.
    all.push_back({"remove every model pack",
                   [](const InstallPaths& p) {
                       ModelPackState packs{true, true, true, true};
                       deleteModelPacks(p, {true, true, true}, packs);
                   },
                   {"Md2/Items", "Md2/Monsters"}});
    all.push_back({"empty the zip work folder",
                   [](const InstallPaths& p) { removeFolderFiles(p.launcherFolder + "Zips"); },
                   {}});
    return all;
}

TEST(RootSnapshot, NoDestructiveOperationChangesAnythingOutsideItsOwnPaths) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.label);
        Installation install;
        const Snapshot before = install.snapshot();
        c.run(install.paths);
        for (const std::string& path : changed(before, install.snapshot()))
            EXPECT_TRUE(owned(path, c.owns)) << path;
    }
}

fs::path rootPath(const Installation& install, const char* rel) {
    return install.root / rel;
}

std::vector<std::string> sorted(std::vector<std::string> paths) {
    std::sort(paths.begin(), paths.end());
    return paths;
}

// A conversion meets the player's folder and wad linked in from another
// disk: it copies what they hold and removes only the links; a linked game
// folder is uninstalled as a link. The outside stays byte for byte.
TEST(RootSnapshot, LinkedFoldersAndFilesAreCopiedAndOnlyTheLinksGo) {
    Installation install;
    const fs::path& out = install.outside.path();
    writeFile(out / "mods/a.wad", "mod a");
    writeFile(out / "mods/readme.txt", "notes");
    writeFile(out / "mods/sub/b.wad", "mod b");
    writeFile(out / "single.wad", "single");
    fs::create_directories(rootPath(install, "KRVGames/Mods"));
    fs::create_directory_symlink(out / "mods", rootPath(install, "KRVGames/Mods/Gwads"));
    writeFile(rootPath(install, "KRVGames/Single/Gwads/own.wad"), "own");
    fs::create_symlink(out / "single.wad", rootPath(install, "KRVGames/Single/Gwads/main.wad"));
    const Snapshot before = install.snapshot();

    EXPECT_EQ(convertToManual(install.paths, {"Mods", true, "a"}), GameChange::Done);
    EXPECT_EQ(convertToManual(install.paths, {"Single", true, "main"}), GameChange::Done);
    EXPECT_EQ(uninstallGame(install.paths, {"Away", false, "away"}), GameChange::Done);
    const Snapshot after = install.snapshot();
    EXPECT_EQ(sorted(changed(before, after)),
              (std::vector<std::string>{
                  "KRVGames/Away", "KRVGames/Mods/Gwads", "KRVGames/Mods/Pwads",
                  "KRVGames/Mods/Pwads/a.wad", "KRVGames/Mods/Pwads/readme.txt",
                  "KRVGames/Single/Gwads", "KRVGames/Single/Gwads/main.wad",
                  "KRVGames/Single/Gwads/own.wad", "KRVGames/Single/Pwads",
                  "KRVGames/Single/Pwads/main.wad", "KRVGames/Single/Pwads/own.wad"}));
    EXPECT_EQ(after.at("KRVGames/Mods/Pwads/a.wad"), before.at("OUTSIDE/mods/a.wad"));
    EXPECT_EQ(after.at("KRVGames/Single/Pwads/main.wad"), before.at("OUTSIDE/single.wad"));
}

// Run as a player: read-only files are deleted when asked but never
// overwritten, and a conversion that cannot finish (a game folder or a
// files folder that cannot be written, a folder that cannot move, a linked
// file that cannot be read) leaves the game as it was.
TEST(RootSnapshot, ForAnOrdinaryUserReadOnlyIsNotInUseAndAFailedConversionChangesNothing) {
    Installation install;
    const auto at = [&](const char* rel) { return rootPath(install, rel); };
    constexpr fs::perms kReadOnly =
        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    constexpr fs::perms kLocked =
        kReadOnly | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    writeFile(at("KRVGames/Both/Gwads/c.wad"), "new c");
    writeFile(at("KRVGames/Both/Pwads/c.wad"), "old c");
    fs::permissions(at("KRVGames/Both/Pwads/c.wad"), kReadOnly);
    writeFile(at("KRVGames/Shut/Pwads/s.wad"), "s");
    fs::permissions(at("KRVGames/Shut"), kLocked);
    writeFile(at("KRVGames/Stuck/Pwads/s.wad"), "s");
    fs::permissions(at("KRVGames/Stuck/Pwads"), kLocked);
    writeFile(at("KRVGames/Deep/Gwads/a.wad"), "a");
    writeFile(at("KRVGames/Deep/Gwads/zz/keep.txt"), "k");
    fs::permissions(at("KRVGames/Deep/Gwads/zz"), kLocked);
    writeFile(install.outside / "mods/a.wad", "a");
    writeFile(install.outside / "mods/zz.wad", "secret");
    fs::permissions(install.outside / "mods/zz.wad", fs::perms::none);
    fs::create_directories(at("KRVGames/Mods"));
    fs::create_directory_symlink(install.outside / "mods", at("KRVGames/Mods/Gwads"));
    writeFile(at("KRVGames/Hell/Gwads/ro.wad"), "ro");
    for (const char* file :
         {"KRVGames/Hell/Gwads/ro.wad", "KRVGames/Castle/Pwads/castle.wad", "KRVArchives/arch.zip"})
        fs::permissions(at(file), kReadOnly);

    test::OrdinaryUser player({install.root.root(), install.outside.path()});
    if (!player.unavailable().empty())
        GTEST_SKIP() << player.unavailable();
    const Snapshot before = install.snapshot();
    EXPECT_EQ(convertToManual(install.paths, {"Both", true, ""}), GameChange::ReadOnly);
    EXPECT_EQ(convertToAuto(install.paths, {"Shut", false, ""}), GameChange::AccessDenied);
    EXPECT_EQ(convertToAuto(install.paths, {"Stuck", false, ""}), GameChange::AccessDenied);
    EXPECT_EQ(convertToManual(install.paths, {"Deep", true, ""}), GameChange::AccessDenied);
    EXPECT_EQ(convertToManual(install.paths, {"Mods", true, ""}), GameChange::AccessDenied);
    EXPECT_EQ(changed(before, install.snapshot()), std::vector<std::string>{});

    for (const char* file : {"KRVGames/Hell/Gwads/ro.wad", "KRVArchives/arch.zip"})
        EXPECT_FALSE(ci::fileInUse(at(file))) << file;
    EXPECT_EQ(deleteGameFile(install.paths, {"Hell", true, ""}, "ro.wad"), GameChange::Done);
    EXPECT_EQ(uninstallGame(install.paths, {"Castle", false, ""}), GameChange::Done);
    EXPECT_EQ(renameArchive(install.paths, install.paths.archivesFolder, "arch", "Renamed"),
              ArchiveChange::Done);
    EXPECT_EQ(deleteArchive(install.paths, install.paths.archivesFolder, "Renamed"),
              ArchiveChange::Done);
    EXPECT_EQ(sorted(changed(before, install.snapshot())),
              (std::vector<std::string>{"KRVArchives/arch.zip", "KRVGames/Castle",
                                        "KRVGames/Castle/Pwads", "KRVGames/Castle/Pwads/...wad",
                                        "KRVGames/Castle/Pwads/castle.wad",
                                        "KRVGames/Hell/Gwads/ro.wad"}));
}

} // namespace
} // namespace krv
