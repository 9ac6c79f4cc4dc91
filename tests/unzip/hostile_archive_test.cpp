// Archives made to harm: names that climb out of the target folder, sizes and
// CRCs that lie, truncation, and bombs. None may write outside the folder or
// leave a partial file behind.

#include "extraction_fixture.h"

#include <filesystem>

namespace krv::unzip {
namespace {

namespace fs = std::filesystem;
using test::RawMember;
using test::ZipBuilder;
using Names = std::set<std::string>;

class UnzipHostile : public ExtractionFixture {
protected:
    // Everything beside the archive and the target folder.
    Names outsideTheFolder() const {
        Names names;
        for (const auto& entry : fs::recursive_directory_iterator(dir_.path())) {
            const fs::path rel = fs::relative(entry.path(), dir_.path());
            if (rel != "test.zip" && *rel.begin() != "out")
                names.insert(rel.string());
        }
        return names;
    }
};

TEST_F(UnzipHostile, ClimbingNamesStayInsideTheFolder) {
    fs::create_directories(out_ / "sub");
    EXPECT_EQ(extractRaw({{"../x.wad", "x"},
                          {"a\\..\\..\\y.wad", "y"},
                          {"/tmp/z.wad", "z"},
                          {"..", "dots"},
                          {"sub/.", "dot"},
                          {"sub/..\\", "folder"}}),
              kUzpOk)
        << printed_;
    EXPECT_EQ(written(), (Names{"sub", "x.wad", "y.wad", "z.wad"}));
    EXPECT_EQ(read("y.wad"), "y");
    EXPECT_EQ(outsideTheFolder(), Names{});
    EXPECT_TRUE(fs::is_empty(out_ / "sub"));
}

TEST_F(UnzipHostile, MemberWhoseSizeLiesIsNotWritten) {
    const std::string data(100000, 'w');
    for (const bool deflate : {true, false}) {
        for (const std::uint32_t declared : {99999u, 100001u, 0u}) {
            fs::remove_all(out_);
            EXPECT_EQ(extractRaw({{"good.wad", "good"}, {"liar.wad", data, deflate, {}, declared}}),
                      kUzpMemberError)
                << "deflate " << deflate << " declared " << declared << ": " << printed_;
            EXPECT_EQ(written(), Names{"good.wad"});
        }
    }
}

TEST_F(UnzipHostile, MemberWithABadCrcIsNotWritten) {
    const std::string data(70000, 'c');
    for (const bool deflate : {true, false}) {
        fs::remove_all(out_);
        const RawMember bad{"bad.wad", data, deflate, 0xDEADBEEFu, {}};
        EXPECT_EQ(extractRaw({{"a.wad", "a"}, bad, {"b.wad", "b"}}), kUzpMemberError);
        EXPECT_EQ(written(), (Names{"a.wad", "b.wad"}));
    }
}

TEST_F(UnzipHostile, TruncatedArchiveFailsWithoutWriting) {
    ZipBuilder().file("a.wad", std::string(5000, 'a')).file("b.wad", "b").write(dir_ / "whole.zip");
    const std::string whole = test::readFile(dir_ / "whole.zip");
    for (const std::size_t keep : {whole.size() - 1, whole.size() / 2, std::size_t{10}}) {
        test::writeFile(dir_ / "test.zip", whole.substr(0, keep));
        EXPECT_EQ(extract(dir_ / "test.zip"), kUzpArchiveError) << keep;
        EXPECT_EQ(written(), Names{});
    }
    EXPECT_EQ(extract(dir_ / "no such.zip"), kUzpArchiveError);
}

TEST_F(UnzipHostile, DamagedDataIsNotWritten) {
    ZipBuilder().file("a.wad", std::string(200000, 'a') + "tail").write(dir_ / "whole.zip");
    std::string bytes = test::readFile(dir_ / "whole.zip");
    for (std::size_t i = 60; i < 90; ++i)
        bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
    test::writeFile(dir_ / "test.zip", bytes);
    EXPECT_EQ(extract(dir_ / "test.zip"), kUzpMemberError);
    EXPECT_EQ(written(), Names{});
}

TEST_F(UnzipHostile, BombOverTheByteLimitIsRefusedBeforeWriting) {
    limits_.maxTotalBytes = 4 << 20;
    const std::string zeros(3 << 20, '\0');
    EXPECT_EQ(extract(ZipBuilder().file("a.wad", "a").file("b.wad", zeros).file("c.wad", zeros)),
              kUzpLimitExceeded);
    EXPECT_FALSE(fs::exists(out_));

    // Exactly at the limit is allowed.
    EXPECT_EQ(extract(ZipBuilder().file("b.wad", zeros).file("c.wad", std::string(1 << 20, 'x'))),
              kUzpOk);
    EXPECT_EQ(written(), (Names{"b.wad", "c.wad"}));
}

TEST_F(UnzipHostile, BombThatDeclaresLittleIsCutOffAtItsDeclaredSize) {
    EXPECT_EQ(extractRaw({{"bomb.wad", std::string(16 << 20, '\0'), true, {}, 4096u}}),
              kUzpMemberError);
    EXPECT_EQ(written(), Names{});
}

// Many central entries pointing at one local member extract a few kilobytes
// to gigabytes; headers that disagree show two readers two archives.
TEST_F(UnzipHostile, SharedOrDisagreeingMembersAreRefusedBeforeWriting) {
    const std::string data(200000, 'd');
    auto sharing = [&](std::size_t copies, bool sameName) {
        std::vector<RawMember> members = {{"a.wad", data, true}};
        for (std::size_t i = 1; i < copies; ++i) {
            members.emplace_back(sameName ? "a.wad" : "a" + std::to_string(i) + ".wad", data, true);
            members.back().sharesDataOf = 0;
        }
        return members;
    };
    RawMember renamed{"b.wad", "b"};
    renamed.localName = "other.wad";
    const std::vector<std::vector<RawMember>> hostile = {
        sharing(300, false), sharing(2, true), {{"a.wad", "a"}, renamed}};
    for (const auto& members : hostile) {
        printed_.clear();
        EXPECT_EQ(extractRaw(members), kUzpArchiveError) << members.size();
        EXPECT_FALSE(fs::exists(out_)) << printed_;
    }
    EXPECT_EQ(extractRaw(sharing(1, false)), kUzpOk) << printed_;
    EXPECT_EQ(written(), Names{"a.wad"});
}

TEST_F(UnzipHostile, ArchiveWithTooManyMembersIsRefused) {
    limits_.maxMembers = 3;
    std::vector<RawMember> members = {{"a", "a"}, {"b", "b"}, {"c", "c"}};
    EXPECT_EQ(extractRaw(members), kUzpOk);
    fs::remove_all(out_);
    members.push_back({"dir/", ""});
    EXPECT_EQ(extractRaw(members), kUzpLimitExceeded);
    EXPECT_FALSE(fs::exists(out_));
}

} // namespace
} // namespace krv::unzip
