// The patches check beside the texture folder.
#include "launcher/options/texture_path.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace krv {
namespace {

namespace fs = std::filesystem;

TEST(PatchesCheck, TheInstallationsFolderOrOneBesideTheCustomTextures) {
    test::TempDir dir;
    const std::string root = dir.path().string();
    const std::string custom = root + "/Hires Stuff";
    fs::create_directories(custom + "/Textures");
    EXPECT_FALSE(checkPatches(root, custom + "/Textures").usable);
    fs::create_directories(custom + "/Patches");
    const PatchesAnswer beside = checkPatches(root, custom + "/textures/");
    EXPECT_TRUE(beside.usable);
    EXPECT_EQ(beside.parentFolder, custom);
    EXPECT_TRUE(checkPatches(root, custom).usable); // the parent itself
    EXPECT_FALSE(checkPatches(root, "").usable);
    fs::create_directories(root + "/Data/Patches");
    EXPECT_TRUE(checkPatches(root, "").usable);
}

} // namespace
} // namespace krv
