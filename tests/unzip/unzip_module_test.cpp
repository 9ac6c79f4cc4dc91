// The launcher's loader: the module taken from an installation's Bin folder,
// or its absence.

#include "launcher/library/unzip_module.h"
#include "support/install_root.h"
#include "support/temp_dir.h"
#include "support/zip_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace krv {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::ZipBuilder;

// Answers with `answer` and records which members it was asked for.
struct Prompt {
    std::optional<std::string> answer;
    std::vector<std::string> asked;

    ZipPasswordPrompt function() {
        return [this](const std::string& member) {
            asked.push_back(member);
            return answer;
        };
    }
};

class UnzipModuleLoader : public ::testing::Test {
protected:
    void SetUp() override {
        // The resolver finds the module whatever the case of its name.
        fs::create_directories(root_ / "bin");
        fs::copy_file(KRV_UNZIP_DLL, root_ / "bin/UNZIP32.DLL");
        ZipBuilder()
            .file("maps/level.wad", "level")
            .file("docs/readme.txt", "readme")
            .encrypted("secret.wad", "hidden", "pw")
            .write(root_ / "KRVArchives/pack.zip");
    }

    std::string root() const { return root_.path().string(); }
    std::string archive() const { return (root_ / "KRVArchives/pack.zip").string(); }

    TempDir root_;
};

TEST_F(UnzipModuleLoader, ExtractsFlatWithThePasswordAndCollectsTheListing) {
    fs::create_directories(root_ / "KRVLaunch/Zips");
    test::writeFile(root_ / "KRVLaunch/Zips/level.wad", "old");
    Prompt prompt{"pw", {}};
    const ZipExtraction result = ExtractZip(root(), (root_ / "krvarchives/PACK.ZIP").string(),
                                            (root_ / "krvlaunch/zips").string(), prompt.function());
    EXPECT_TRUE(result.ok) << result.information;
    EXPECT_EQ(test::readFile(root_ / "KRVLaunch/Zips/level.wad"), "level");
    EXPECT_EQ(test::readFile(root_ / "KRVLaunch/Zips/readme.txt"), "readme");
    EXPECT_EQ(test::readFile(root_ / "KRVLaunch/Zips/secret.wad"), "hidden");
    EXPECT_EQ(prompt.asked, std::vector<std::string>{"secret.wad"});
    EXPECT_EQ(result.memberCount, 3u);
    EXPECT_NE(result.information.find("Filename: maps/level.wad\r\nSize: 5\r\nDate: "),
              std::string::npos)
        << result.information;
    EXPECT_NE(result.information.find("3 members, 17 bytes"), std::string::npos);
    EXPECT_NE(result.moduleVersion.find("libzip"), std::string::npos) << result.moduleVersion;
}

TEST_F(UnzipModuleLoader, RefusedPasswordAndBadArchivesFail) {
    const fs::path folder = root_ / "KRVLaunch/Zips";
    Prompt refuse;
    const ZipExtraction result = ExtractZip(root(), archive(), folder.string(), refuse.function());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(refuse.asked.size(), 1u);
    EXPECT_FALSE(fs::exists(folder / "secret.wad"));

    test::writeFile(root_ / "KRVArchives/bad.zip", "PK\x03\x04 not really a zip");
    EXPECT_FALSE(
        ExtractZip(root(), (root_ / "KRVArchives/bad.zip").string(), folder.string(), {}).ok);
    EXPECT_FALSE(
        ExtractZip(root(), (root_ / "KRVArchives/none.zip").string(), folder.string(), {}).ok);
}

TEST_F(UnzipModuleLoader, WithoutAFolderOnlyLists) {
    const auto before = test::readFile(archive());
    const ZipExtraction result = ExtractZip(root(), archive(), "", {});
    EXPECT_TRUE(result.ok);
    EXPECT_NE(result.information.find("Filename: secret.wad"), std::string::npos);
    std::vector<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root_.path()))
        entries.push_back(fs::relative(entry.path(), root_.path()).string());
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"KRVArchives", "KRVArchives/pack.zip", "bin",
                                                 "bin/UNZIP32.DLL"}));
}

TEST(UnzipModuleMissing, MissingOrUnloadableModuleFails) {
    TempDir empty;
    ZipBuilder().file("a.wad", "a").write(empty / "a.zip");
    EXPECT_FALSE(
        ExtractZip(empty.path().string(), (empty / "a.zip").string(), (empty / "out").string(), {})
            .ok);
    // The installation fixture's Bin/unzip32.dll is a text file.
    test::InstallRoot install;
    EXPECT_FALSE(
        ExtractZip(install.root(), (empty / "a.zip").string(), (empty / "out").string(), {}).ok);
    EXPECT_FALSE(fs::exists(empty / "out"));
}

} // namespace
} // namespace krv
