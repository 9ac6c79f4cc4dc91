#include "common/ci_path.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using krv::test::TempDir;
using krv::test::writeFile;

TEST(CaseInsensitivePath, ResolvesEachComponentWithoutRegardToCase) {
    TempDir dir;
    writeFile(dir / "Md2/Quilspack/quilspack.wad", "x");
    const auto found = krv::ci::resolve(dir / "md2/QUILSPACK/QuilsPack.WAD");
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, dir / "Md2/Quilspack/quilspack.wad");
    EXPECT_FALSE(krv::ci::resolve(dir / "md2/other.wad"));
    EXPECT_FALSE(krv::ci::resolve(dir / "md2/quilspack/quilspack.wad/x"));
    EXPECT_TRUE(krv::ci::isFile(dir / "MD2/quilspack/QUILSPACK.wad"));
    EXPECT_TRUE(krv::ci::isFolder(dir / "mD2"));
    EXPECT_FALSE(krv::ci::isFile(dir / "mD2"));
}

TEST(CaseInsensitivePath, PrefersTheExactSpellingWhenSeveralDifferOnlyInCase) {
    TempDir dir;
    writeFile(dir / "Data/a.txt", "upper");
    writeFile(dir / "data/a.txt", "lower");
    EXPECT_EQ(*krv::ci::resolve(dir / "data/A.TXT"), dir / "data/a.txt");
    EXPECT_EQ(*krv::ci::resolve(dir / "Data/a.txt"), dir / "Data/a.txt");
    // Neither spelling matches exactly: the answer is the same every time.
    EXPECT_EQ(*krv::ci::resolve(dir / "DATA/a.txt"), dir / "Data/a.txt");
}

TEST(CaseInsensitivePath, CreatesFoldersInTheWrittenCaseUnlessOneExists) {
    TempDir dir;
    fs::create_directories(dir / "krvlaunch");
    ASSERT_TRUE(krv::ci::createFolder(dir / "KRVLaunch/GameInfo"));
    EXPECT_TRUE(fs::is_directory(dir / "krvlaunch/GameInfo"));
    EXPECT_FALSE(fs::exists(dir / "KRVLaunch"));
    EXPECT_EQ(krv::ci::resolveForWrite(dir / "KRVLAUNCH/new.txt"), dir / "krvlaunch/new.txt");
}

TEST(CaseInsensitivePath, RemovesFilesAndListsFolders) {
    TempDir dir;
    writeFile(dir / "Launch/config.krv", "v9.1");
    fs::permissions(dir / "Launch/config.krv", fs::perms::owner_read);
    EXPECT_TRUE(krv::ci::removeFile(dir / "launch/CONFIG.KRV"));
    EXPECT_FALSE(fs::exists(dir / "Launch/config.krv"));
    EXPECT_TRUE(krv::ci::removeFile(dir / "launch/missing")); // nothing to remove
    writeFile(dir / "Launch/a", "");
    writeFile(dir / "Launch/B", "");
    auto names = krv::ci::listFolder(dir / "LAUNCH");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"B", "a"}));
    EXPECT_TRUE(krv::ci::listFolder(dir / "nothing").empty());
}

TEST(CaseInsensitivePath, TurnsEitherSeparatorIntoThePlatformOne) {
    EXPECT_EQ(krv::ci::nativeSeparators("C:\\Doom/wads\\x.wad"), "C:/Doom/wads/x.wad");
}
