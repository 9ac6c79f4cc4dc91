#include "launcher/launch/compose_environment.h"
#include "launcher/launch/engine_start.h"
#include "support/install_root.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace krv;
using krv::test::InstallRoot;
using krv::test::TempDir;
using krv::test::writeFile;
namespace fs = std::filesystem;

namespace {

// Runs `body` with only `folder` on the PATH.
template <typename Body> void withPath(const fs::path& folder, Body body) {
    const std::string oldPath = std::getenv("PATH");
    ::setenv("PATH", folder.c_str(), 1);
    body();
    ::setenv("PATH", oldPath.c_str(), 1);
}

const std::string kLine = "Bin\\Korvath -iwad \"/g/My Doom & Co/Doom2.wad\" -extmus \"Dunmóre - "
                          "TNT\" -cmd \"rend-light 1\" ";
const std::vector<std::string> kArguments = {
    "-iwad", "/g/My Doom & Co/Doom2.wad", "-extmus", "Dunmóre - TNT", "-cmd", "rend-light 1"};

// The disk answers alone; the rest belongs to the main window.
class DiskOnly : public DiskComposeEnvironment {
public:
    using DiskComposeEnvironment::DiskComposeEnvironment;
    TexturePathCheck checkTexturePath() override { return {}; }
    ScriptedMapStatus scriptedMapStatus(const std::string&) override {
        return ScriptedMapStatus::NotListed;
    }
    WarpTarget updateWarpTarget() override { return {}; }
    AutoPlaylist chooseAutoPlaylist(const std::string&) override { return {}; }
    void showMessage(const ComposeMessage&) override {}
    void showIwadDialog() override {}
};

// Prepares the start of `kLine` with a stand-in `wine` in `bin` as the only
// program on the PATH.
std::optional<EngineStart> prepareWithWine(const InstallRoot& root, const TempDir& bin) {
    writeFile(bin / "wine", "#!/bin/sh\n");
    fs::permissions(bin / "wine", fs::perms::owner_all);
    std::optional<EngineStart> start;
    withPath(bin.path(), [&] { start = prepareEngineStart(kLine, root.root()); });
    return start;
}

} // namespace

TEST(EngineStart, AScriptEngineStartsDirectlyInTheRoot) {
    InstallRoot root;
    TempDir bin;
    const auto start = prepareWithWine(root, bin);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->program, (root / "Bin/Korvath.exe").string());
    EXPECT_EQ(start->arguments, kArguments);
    EXPECT_EQ(start->workingFolder, root.root());
}

TEST(EngineStart, AWindowsEngineFoundInAnyCaseGoesThroughWine) {
    InstallRoot root;
    fs::remove(root / "Bin/Korvath.exe");
    writeFile(root / "Bin/KORVATH.EXE", std::string("MZ\x90\x00", 4) + "windows program");
    TempDir bin;
    const auto start = prepareWithWine(root, bin);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->program, (bin / "wine").string());
    ASSERT_FALSE(start->arguments.empty());
    EXPECT_EQ(start->arguments.front(), (root / "Bin/KORVATH.EXE").string());
    EXPECT_EQ(std::vector<std::string>(start->arguments.begin() + 1, start->arguments.end()),
              kArguments);
    EXPECT_EQ(start->workingFolder, root.root());
}

TEST(EngineStart, NoEngineNoStart) {
    InstallRoot root;
    fs::remove(root / "Bin/Korvath.exe");
    TempDir emptyPath;
    withPath(emptyPath.path(), [&] { EXPECT_FALSE(prepareEngineStart(kLine, root.root())); });
}

TEST(ComposeDiskEnvironment, AnswersFromTheDiskWithoutRegardToCase) {
    InstallRoot root;
    writeFile(root / "Defs/Model/HudWeapons.ded", "# hweapons version 10,rest\r\nsecond\r\n");
    writeFile(root / "Iwads/DOOM2.WAD", "IWAD");
    fs::create_directories(root / "data/Skyboxes");
    DiskOnly env(root.root(), [](const std::string&) { return std::optional<std::string>(); });

    const std::string ded = root.root() + "/defs/model/hudweapons.ded";
    EXPECT_TRUE(env.fileExists(ded));
    EXPECT_FALSE(env.folderExists(ded));
    EXPECT_TRUE(env.folderExists(root.root() + "/Data/SKYBOXES"));
    EXPECT_FALSE(env.fileExists(""));
    EXPECT_EQ(env.firstLine(ded), "# hweapons version 10,rest");
    EXPECT_FALSE(env.firstLine(ded + ".missing"));

    const auto written = env.fileTime(ded);
    ASSERT_TRUE(written);
    const auto age = std::chrono::system_clock::now() - *written;
    EXPECT_LT(std::chrono::abs(age), std::chrono::hours(1));
    EXPECT_FALSE(env.fileTime(ded + ".missing"));

    EXPECT_TRUE(env.engineFindsIwad("/elsewhere/doom2.wad"));
    EXPECT_FALSE(env.engineFindsIwad("/elsewhere/tnt.wad"));
}
