#include "common/safe_names.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using krv::test::TempDir;
using krv::test::writeFile;
namespace ci = krv::ci;

TEST(UsableName, RefusesNamesThatCouldLeaveTheirFolderOrSplitALine) {
    for (const char* bad : {"", ".", "..", "...", "...wad", "..wad", ".wad", ".zip", "a/b", "a\\b",
                            "say \"hi\"", "bad\r\nname", "tab\tname", "del\x7f"})
        EXPECT_FALSE(krv::isUsableName(bad)) << bad;
    EXPECT_FALSE(krv::isUsableName(std::string(256, 'a')));
    for (const char* good :
         {"castle", "castle.wad", "my level.zip", "a.b.wad", "x..wad", "caf\xe9"})
        EXPECT_TRUE(krv::isUsableName(good)) << good;
}

struct ConfineCase {
    const char* target; // below the root
    ci::Confinement verdict;
};

TEST(Confinement, ATargetMustLieStrictlyInsideItsFolder) {
    TempDir root;
    writeFile(root / "UserSG/castle/savegame/s0", "x");
    writeFile(root / "Outside/keep", "x");
    fs::create_directory_symlink(root / "Outside", root / "UserSG/away");
    fs::create_symlink(root / "Outside/keep", root / "UserSG/keeplink");
    const ConfineCase cases[] = {
        {"UserSG/castle", ci::Confinement::Inside},
        {"usersg/CASTLE/savegame", ci::Confinement::Inside},
        {"UserSG/new", ci::Confinement::Missing},
        {"UserSG", ci::Confinement::Outside},
        {"UserSG/", ci::Confinement::Outside},
        {"UserSG/.", ci::Confinement::Outside},
        {"UserSG/..", ci::Confinement::Outside},
        {"UserSG/castle/../..", ci::Confinement::Outside},
        {"Outside/keep", ci::Confinement::Outside},
        {"UserSG/away/keep", ci::Confinement::Outside},
        {"UserSG/away/new", ci::Confinement::Outside},
        // The link itself stands inside: removing it leaves its target alone.
        {"UserSG/keeplink", ci::Confinement::Inside},
    };
    for (const ConfineCase& c : cases)
        EXPECT_EQ(ci::confine(root / "UserSG", root / c.target).verdict, c.verdict) << c.target;
    EXPECT_EQ(ci::confine(root / "UserSG/..", root / "UserSG/castle").verdict,
              ci::Confinement::Outside);
}

TEST(Confinement, DestructiveOperationsTouchNothingOutside) {
    TempDir root;
    writeFile(root / "Games/a/f.wad", "x");
    writeFile(root / "Outside/keep", "x");
    fs::create_directory_symlink(root / "Outside", root / "Games/away");
    fs::create_symlink(root / "Outside/keep", root / "Games/a/link.wad");

    EXPECT_FALSE(ci::removeTreeInside(root / "Games", root / "Games"));
    EXPECT_FALSE(ci::removeTreeInside(root / "Games", root / "Games/.."));
    EXPECT_FALSE(ci::removeFileInside(root / "Games", root / "Games/away/keep"));
    EXPECT_TRUE(ci::renameInside(root / "Games", root / "Games/a", root / "Games/../moved"));
    EXPECT_TRUE(ci::renameInside(root / "Games", root / "Games/a", root / "Games/away"));
    EXPECT_FALSE(ci::copyInto(root / "Games", root / "Games/a/f.wad", root / "Games/a/link.wad"));
    EXPECT_TRUE(fs::exists(root / "Outside/keep"));
    EXPECT_EQ(krv::test::readFile(root / "Outside/keep"), "x");

    EXPECT_TRUE(ci::removeFileInside(root / "Games", root / "Games/a/link.wad"));
    EXPECT_TRUE(fs::exists(root / "Outside/keep"));
    EXPECT_FALSE(ci::renameInside(root / "Games", root / "games/A", root / "Games/b"));
    EXPECT_TRUE(ci::copyInto(root / "Games", root / "Games/b/f.wad", root / "Games/b/g.wad"));
    EXPECT_TRUE(ci::removeTreeInside(root / "Games", root / "GAMES/b"));
    EXPECT_TRUE(ci::removeTreeInside(root / "Games", root / "Games/b"));
    EXPECT_FALSE(fs::exists(root / "Games/b"));
}

TEST(CaseInsensitivePath, NeverFollowsDotComponents) {
    TempDir root;
    writeFile(root / "a/f", "x");
    EXPECT_FALSE(ci::resolve(root / "a/."));
    EXPECT_FALSE(ci::resolve(root / "a/../a/f"));
    EXPECT_TRUE(ci::resolveForWrite(root / "a/../b").empty());
    EXPECT_TRUE(ci::removeTree(root / "a/.."));
    EXPECT_TRUE(fs::exists(root / "a/f"));
}
