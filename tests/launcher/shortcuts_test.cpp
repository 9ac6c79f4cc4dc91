// Shortcut names and the desktop entries written for them.
#include "launcher/platform/scripted_platform.h"
#include "launcher/platform/shortcut_file.h"
#include "launcher/ui/shortcuts.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace krv;

TEST(Shortcuts, NamesFollowTheGameAndTheMap) {
    EXPECT_EQ(shortcutFileName(shortcutName("DOOM II", false, ""), true, "MAP07"), "Doom2 - Map07");
    EXPECT_EQ(shortcutFileName(shortcutName("MY MEGAWAD", false, ""), true, "E1M1"),
              "My megawad - E1M1");
    EXPECT_EQ(shortcutFileName(shortcutName("SHAREWARE DOOM", false, ""), false, "E1M1"),
              "Shareware doom");
    EXPECT_EQ(shortcutName("Doom/Ultimate Doom", false, ""), "Doom");
    EXPECT_EQ(shortcutName("HELL GATE", true, "hellgate.wad"), "HELL GATE - hellgate");
    EXPECT_EQ(shortcutFileName("x", true, ""), "X"); // no map list: no map part

    EXPECT_EQ(shortcutLabelName("THE PLUTONIA EXPERIMENT", true, false), "PLUTONIA EXPERIMENT");
    EXPECT_EQ(shortcutLabelName("TNT - Final Doom", true, true), "TNT Evilution");
    EXPECT_EQ(shortcutLabelName("DOOM II", true, false), "DOOM II");
    EXPECT_EQ(shortcutLabelName("DOOM/ULTIMATE DOOM", true, false), "DOOM");
    const std::string longName = "A VERY LONG NAME OF A MEGAWAD PACK";
    EXPECT_EQ(shortcutLabelName(longName, false, false), longName.substr(0, 27) + " ...");
}

TEST(Shortcuts, TheDesktopEntryStartsTheEngineWithItsArgumentsIntact) {
    ShortcutLink link{"/home/p/Desktop/Korvath Shortcuts/Doom2 - Map07",
                      "/games/Korvath/Bin/Korvath.exe",
                      "-iwad \"/My Games/Doom2.wad\" -cmd \"rend-light 1\" -ct 50% ",
                      "/games/Korvath",
                      0,
                      "/games/Korvath/Bin/Korvath.exe"};
    const std::string text = desktopEntryText(link, true);
    EXPECT_NE(text.find("Name=Doom2 - Map07\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Exec=wine \"/games/Korvath/Bin/Korvath.exe\" \"-iwad\" "
                        "\"/My Games/Doom2.wad\" \"-cmd\" \"rend-light 1\" \"-ct\" \"50%%\"\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Path=/games/Korvath\n"), std::string::npos);
    EXPECT_EQ(desktopEntryText(link, false).find("Exec=wine"), std::string::npos);
}

namespace {

// Runs desktop-file-validate on `file`; empty when the entry is valid,
// otherwise what the validator said.
std::string validationErrors(const std::filesystem::path& file) {
    const std::filesystem::path out = file.string() + ".validation";
    const std::string command =
        "desktop-file-validate '" + file.string() + "' > '" + out.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    const std::string said = krv::test::readFile(out);
    return status == 0 && said.find("error") == std::string::npos
               ? std::string()
               : "exit " + std::to_string(status) + ": " + said;
}

bool isPngFile(const std::string& path) {
    return krv::test::readFile(path).starts_with("\x89PNG\r\n\x1a\n");
}

} // namespace

TEST(Shortcuts, AGameShortcutShowsTheLauncherIconAndIsAValidDesktopEntry) {
    krv::test::TempDir dir;
    const std::string root = (dir / "Korvath Games").string();
    krv::test::writeFile(root + "/Bin/Korvath.exe", "#!/bin/sh\n");
    std::filesystem::create_directories(root + "/KRVLaunch/Desktop");
    std::filesystem::copy_file(KRV_LAUNCHER_ICON,
                               root + "/KRVLaunch/Desktop/" +
                                   std::filesystem::path(KRV_LAUNCHER_ICON).filename().string());
    ScriptedPlatform platform;
    platform.specialFolders[SpecialFolder::Desktop] = (dir / "Desktop").string();
    ShortcutRequest request;
    request.desktop = true;
    request.name = "Doom2";
    createShortcuts(platform, InstallPaths::fromRoot(root),
                    "-iwad \"/My Games/Doom2.wad\" -warp 7 -skill 3 ", request);

    ASSERT_EQ(platform.shortcuts.size(), 1u);
    const ShortcutLink& link = platform.shortcuts[0];
    EXPECT_TRUE(isPngFile(link.iconLocation)) << link.iconLocation;
    ASSERT_TRUE(writeDesktopEntry(link));
    EXPECT_EQ(validationErrors(link.file + ".desktop"), "");
}

TEST(Shortcuts, TheLaunchersOwnEntryIsValidForAnyInstallationFolder) {
    krv::test::TempDir dir;
    // Blanks, quotes, a dollar sign and a percent sign all need escaping.
    const std::string root = (dir / "Games & \"Doom\" $HOME 100%").string();
    std::filesystem::create_directories(root + "/Bin");
    const std::filesystem::path entry = dir / "korvath-launcher.desktop";
    const std::string command =
        "bash '" KRV_REGISTER_SCRIPT "' --entry '" + entry.string() + "' '" + root + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(validationErrors(entry), "");
    const std::string text = krv::test::readFile(entry);
    EXPECT_NE(text.find("Exec=\"" + (dir / "Games & \\\\\"Doom\\\\\" \\\\$HOME 100%%").string() +
                        "/Bin/KRVLauncher.exe\"\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Path=" + root + "/Bin\n"), std::string::npos) << text;
}
