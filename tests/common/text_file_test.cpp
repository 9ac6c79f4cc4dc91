#include "common/text_file.h"
#include "support/temp_dir.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using krv::IoStatus;
using krv::test::readFile;
using krv::test::TempDir;
using krv::test::writeFile;

TEST(TextFile, ReadsCrLfAndLfLinesAndA_LastLineWithoutEnd) {
    EXPECT_EQ(krv::splitLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(krv::splitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(krv::splitLines("").empty());
    // A lone CR inside a line is content, not a line end.
    EXPECT_EQ(krv::splitLines("a\rb\n"), (std::vector<std::string>{"a\rb"}));
}

TEST(TextFile, WritesCrLfAndReplacesTheOldFileWhole) {
    TempDir dir;
    writeFile(dir / "Config.krv", "old content that is longer\r\n");
    ASSERT_EQ(krv::writeTextLines(dir / "config.krv", {"v9.1", "", "2"}), IoStatus::Ok);
    EXPECT_EQ(readFile(dir / "Config.krv"), "v9.1\r\n\r\n2\r\n");
    EXPECT_FALSE(fs::exists(dir / "config.krv")); // the existing spelling is kept
    // No temporary file is left behind.
    int count = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path()))
        ++count;
    EXPECT_EQ(count, 1);
    const auto read = krv::readTextLines(dir / "CONFIG.KRV");
    EXPECT_EQ(read.status, IoStatus::Ok);
    EXPECT_EQ(read.lines, (std::vector<std::string>{"v9.1", "", "2"}));
}

TEST(TextFile, KeepsEightBitBytesUnchanged) {
    TempDir dir;
    const std::string latin1 = "Dunm\xf3re \xff\x01";
    ASSERT_EQ(krv::writeTextLines(dir / "t.txt", {latin1}), IoStatus::Ok);
    EXPECT_EQ(krv::readTextLines(dir / "t.txt").lines.at(0), latin1);
}

TEST(TextFile, ReportsMissingAndUnwritablePlaces) {
    TempDir dir;
    EXPECT_EQ(krv::readTextLines(dir / "none.txt").status, IoStatus::NotFound);
    EXPECT_EQ(krv::writeTextLines(dir / "no/such/folder.txt", {"x"}), IoStatus::NotFound);
    fs::create_directories(dir / "locked");
    writeFile(dir / "locked/keep.txt", "keep\r\n");
    fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    if (::geteuid() != 0) { // root ignores permission bits
        EXPECT_EQ(krv::writeTextLines(dir / "locked/keep.txt", {"new"}), IoStatus::AccessDenied);
        EXPECT_EQ(readFile(dir / "locked/keep.txt"), "keep\r\n");
    }
}

// Start-up files that are no regular file never block the reader and count
// as missing; an oversize one is reported, not read into memory.
TEST(TextFile, OnlyRegularFilesAreReadAndOnlyUpToTheirCap) {
    TempDir dir;
    const fs::path fifo = dir / "config.krv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_symlink("/dev/zero", dir / "font.krv");
    fs::create_symlink(dir / "gone", dir / "texpath.krv");
    fs::create_symlink(dir / "loop-b", dir / "version.krv");
    fs::create_symlink(dir / "version.krv", dir / "loop-b");
    for (const char* name : {"config.krv", "font.krv", "texpath.krv", "version.krv"})
        EXPECT_EQ(krv::readTextLines(dir / name).status, IoStatus::NotFound) << name;

    writeFile(dir / "tips.txt", std::string(5000, 'x'));
    EXPECT_EQ(krv::readTextLines(dir / "tips.txt", 4999).status, IoStatus::TooLarge);
    EXPECT_EQ(krv::readTextLines(dir / "tips.txt", 5000).lines.at(0).size(), 5000u);

    // The beginning of a file: never more than asked for, all of a shorter one.
    std::string start;
    EXPECT_EQ(krv::readFileStart(dir / "TIPS.txt", start, 4999), IoStatus::Ok);
    EXPECT_EQ(start.size(), 4999u);
    EXPECT_EQ(krv::readFileStart(dir / "tips.txt", start, 9000), IoStatus::Ok);
    EXPECT_EQ(start.size(), 5000u);
    EXPECT_EQ(krv::readFileStart(dir / "font.krv", start, 10), IoStatus::NotFound);
}

// A temporary file left by an interrupted write goes with the next write of
// the same file; a fresh one (another copy's write in flight) and those of
// other files stay.
TEST(TextFile, StaleTemporariesOfTheSameFileAreRemovedOnTheNextWrite) {
    TempDir dir;
    for (const char* name :
         {"config.krv.tmp-AbC123", "config.krv.tmp-fresh1", "font.krv.tmp-XyZ789"})
        writeFile(dir / name, "half");
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    fs::last_write_time(dir / "config.krv.tmp-AbC123", old);
    fs::last_write_time(dir / "font.krv.tmp-XyZ789", old);
    ASSERT_EQ(krv::writeTextLines(dir / "config.krv", {"v9.1"}), IoStatus::Ok);
    EXPECT_FALSE(fs::exists(dir / "config.krv.tmp-AbC123"));
    EXPECT_TRUE(fs::exists(dir / "config.krv.tmp-fresh1"));
    EXPECT_TRUE(fs::exists(dir / "font.krv.tmp-XyZ789"));
}

// The first lines of a file of any length are read without the rest, and a
// new head goes in front of the rest without touching a byte of it.
TEST(TextFile, LeadingLinesAndANewHeadLeaveTheRestAsItWas) {
    TempDir dir;
    const std::string rest = "third\n" + std::string(5000, 'r') + "\r\nlast without end";
    writeFile(dir / "list.txt", "first\r\nsecond\n" + rest);
    krv::LeadingLines head = krv::readLeadingLines(dir / "LIST.TXT", 2, 100);
    EXPECT_EQ(head.status, IoStatus::Ok);
    EXPECT_EQ(head.lines, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(head.bytes, "first\r\nsecond\n");
    EXPECT_TRUE(head.more);
    // Wanted lines past the cap make the file too large; a short file ends them.
    EXPECT_EQ(krv::readLeadingLines(dir / "list.txt", 4, 100).status, IoStatus::TooLarge);
    head = krv::readLeadingLines(dir / "list.txt", 9);
    EXPECT_EQ(head.lines.back(), "last without end");
    EXPECT_FALSE(head.more);

    ASSERT_EQ(krv::replaceFileHead(dir / "list.txt", "new\r\n", 14), IoStatus::Ok);
    EXPECT_EQ(readFile(dir / "list.txt"), "new\r\n" + rest);
    ASSERT_EQ(krv::replaceFileHead(dir / "fresh.txt", "only\r\n", 0), IoStatus::Ok);
    EXPECT_EQ(readFile(dir / "fresh.txt"), "only\r\n");
}
