#include "common/ci_path.h"
#include "support/ordinary_user.h"
#include "support/temp_dir.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

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

// In use means held by another program: a lock on the whole file, or
// another process's lock on a part of it. A read-only file a player cannot
// open for writing is not in use.
TEST(CaseInsensitivePath, AFileIsInUseOnlyWhileAnotherProgramHoldsALockOnIt) {
    TempDir dir;
    for (const char* name : {"free.wad", "ro.wad", "held.wad", "part.wad"})
        writeFile(dir / name, "bytes");
    fs::permissions(dir / "ro.wad", fs::perms::owner_read | fs::perms::others_read);
    krv::test::OrdinaryUser player({dir.path()});
    if (!player.unavailable().empty())
        GTEST_SKIP() << player.unavailable();
    const int held = ::open((dir / "held.wad").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    int ready[2], done[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(done), 0);
    const pid_t other = ::fork();
    if (other == 0) {
        ::close(done[1]); // so that the test's close ends the wait below
        const int fd = ::open((dir / "part.wad").c_str(), O_RDWR);
        struct flock part {};
        part.l_type = F_WRLCK;
        part.l_whence = SEEK_SET;
        part.l_start = 2;
        part.l_len = 1;
        char c = ::fcntl(fd, F_SETLK, &part) == 0 ? 'y' : 'n';
        if (::write(ready[1], &c, 1) == 1)
            while (::read(done[0], &c, 1) < 0) {
            }
        ::_exit(0);
    }
    ::close(done[0]);
    char locked = 0;
    ASSERT_EQ(::read(ready[0], &locked, 1), 1);
    EXPECT_EQ(locked, 'y');

    EXPECT_FALSE(krv::ci::fileInUse(dir / "FREE.wad"));
    EXPECT_FALSE(krv::ci::fileInUse(dir / "ro.wad"));
    EXPECT_FALSE(krv::ci::fileInUse(dir / "missing.wad"));
    EXPECT_TRUE(krv::ci::fileInUse(dir / "held.wad"));
    EXPECT_TRUE(krv::ci::fileInUse(dir / "part.wad"));
    ::close(done[1]);
    ::waitpid(other, nullptr, 0);
    ::close(held);
}
