// Extraction of well-formed archives: flattening, overwriting, passwords,
// members that are not written and the listing and test modes.

#include "extraction_fixture.h"

#include <filesystem>

namespace krv::unzip {
namespace {

namespace fs = std::filesystem;
using test::ZipBuilder;
using Names = std::set<std::string>;

class UnzipExtraction : public ExtractionFixture {};

TEST_F(UnzipExtraction, FlattensMembersAndTheLaterOfTwoNamesWins) {
    ZipBuilder zip;
    zip.folder("maps")
        .file("maps/level.wad", "first")
        .file("readme.txt", "read me", false)
        .file("other/deeper\\level.wad", "second");
    EXPECT_EQ(extract(zip), kUzpOk) << printed_;
    EXPECT_EQ(written(), (Names{"level.wad", "readme.txt"}));
    EXPECT_EQ(read("level.wad"), "second");
    EXPECT_EQ(read("readme.txt"), "read me");
    EXPECT_EQ(memberCount_, 4u);
}

TEST_F(UnzipExtraction, ReplacesExistingFilesAndLinksWithoutFollowingThem) {
    test::writeFile(out_ / "level.wad", "old contents, longer than the new");
    test::writeFile(dir_ / "outside.txt", "keep");
    fs::create_symlink(dir_ / "outside.txt", out_ / "patch.deh");
    fs::create_symlink(dir_ / "missing.txt", out_ / "dangling.deh");
    ZipBuilder zip;
    zip.file("level.wad", "new").file("patch.deh", "patch").file("dangling.deh", "d");
    EXPECT_EQ(extract(zip), kUzpOk) << printed_;
    EXPECT_EQ(read("level.wad"), "new");
    EXPECT_FALSE(fs::is_symlink(out_ / "patch.deh"));
    EXPECT_EQ(read("patch.deh"), "patch");
    EXPECT_EQ(test::readFile(dir_ / "outside.txt"), "keep");
    EXPECT_FALSE(fs::exists(dir_ / "missing.txt"));
    EXPECT_EQ(read("dangling.deh"), "d");
}

TEST_F(UnzipExtraction, KeepsExistingFilesUnlessOverwritingOrTheReplaceAnswerAllows) {
    test::writeFile(out_ / "level.wad", "old");
    options_.overwriteAlways = 0;
    EXPECT_EQ(extract(ZipBuilder().file("level.wad", "new")), kUzpOk);
    EXPECT_EQ(read("level.wad"), "old");
}

TEST_F(UnzipExtraction, AsksForThePasswordOnceAndKeepsItForTheNextMember) {
    ZipBuilder zip;
    zip.file("plain.txt", "plain")
        .encrypted("one.wad", "aes data", "secret")
        .encrypted("two.wad", "pkware data", "secret", false);
    passwords_ = {"secret"};
    EXPECT_EQ(extract(zip), kUzpOk) << printed_;
    EXPECT_EQ(askedFor_, std::vector<std::string>{"one.wad"});
    EXPECT_EQ(read("one.wad"), "aes data");
    EXPECT_EQ(read("two.wad"), "pkware data");
}

TEST_F(UnzipExtraction, AsksAgainAfterAWrongPasswordUpToThreeTimes) {
    ZipBuilder zip;
    zip.encrypted("one.wad", "aes data", "secret");
    passwords_ = {"wrong", "secret"};
    EXPECT_EQ(extract(zip), kUzpOk) << printed_;
    EXPECT_EQ(read("one.wad"), "aes data");

    fs::remove_all(out_);
    askedFor_.clear();
    passwords_ = {"a", "b", "c", "secret"};
    EXPECT_EQ(extract(zip), kUzpMemberError);
    EXPECT_EQ(askedFor_.size(), 3u);
    EXPECT_EQ(written(), Names{});
}

TEST_F(UnzipExtraction, MissingPasswordSkipsEncryptedMembersWithoutLeftovers) {
    for (const bool aes : {true, false}) {
        fs::remove_all(out_);
        askedFor_.clear();
        ZipBuilder zip;
        zip.encrypted("one.wad", "data", "secret", aes)
            .file("plain.txt", "plain")
            .encrypted("two.wad", "data", "secret", aes);
        EXPECT_EQ(extract(zip), kUzpMemberError);
        // Giving up once stands for the rest of the run.
        EXPECT_EQ(askedFor_, std::vector<std::string>{"one.wad"});
        EXPECT_EQ(written(), Names{"plain.txt"});
    }
}

TEST_F(UnzipExtraction, WritesNeitherFoldersNorLinks) {
    ZipBuilder zip;
    zip.folder("sub").folder("empty").symlink("escape.wad", "/etc/passwd").file("sub/a.wad", "a");
    EXPECT_EQ(extract(zip), kUzpOk) << printed_;
    EXPECT_EQ(written(), Names{"a.wad"});
}

// Names that would stand for a folder or break a command line are skipped.
TEST_F(UnzipExtraction, SkipsMembersWhoseNamesAreUnusable) {
    ZipBuilder zip;
    for (const char* name : {"a/...wad", "..wad", ".wad", "q\"uote.wad", "cr\r\nlf.wad", "x/.."})
        zip.file(name, "bad");
    zip.file("good.wad", "good");
    EXPECT_EQ(extract(zip), kUzpOk) << printed_;
    EXPECT_EQ(written(), Names{"good.wad"});
}

TEST_F(UnzipExtraction, ListingAndTestingWriteNothing) {
    ZipBuilder zip;
    zip.file("sub/a.wad", "a").file("b.deh", "bb");
    options_.listOnly = 1;
    EXPECT_EQ(extract(zip), kUzpOk);
    EXPECT_EQ(listed_, (std::vector<std::string>{"sub/a.wad", "b.deh"}));
    EXPECT_NE(printed_.find("2 members, 3 bytes"), std::string::npos) << printed_;
    EXPECT_FALSE(fs::exists(out_));

    options_.listOnly = 0;
    options_.testOnly = 1;
    EXPECT_EQ(extract(zip), kUzpOk);
    EXPECT_FALSE(fs::exists(out_));
    EXPECT_NE(extractRaw({{"bad.wad", "data", false, 1234u, {}}}), kUzpOk);
    EXPECT_FALSE(fs::exists(out_));
}

} // namespace
} // namespace krv::unzip
