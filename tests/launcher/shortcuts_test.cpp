// Shortcut names and the desktop entries written for them.
#include "launcher/platform/scripted_platform.h"
#include "launcher/platform/shortcut_file.h"
#include "launcher/ui/shortcuts.h"
#include "support/temp_dir.h"

#include "launcher/platform/scripted_platform.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
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
    const std::string text = desktopEntryText(link, true).value_or("");
    EXPECT_NE(text.find("Name=Doom2 - Map07\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Exec=wine \"/games/Korvath/Bin/Korvath.exe\" \"-iwad\" "
                        "\"/My Games/Doom2.wad\" \"-cmd\" \"rend-light 1\" \"-ct\" \"50%%\"\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Path=/games/Korvath\n"), std::string::npos);
    EXPECT_EQ(desktopEntryText(link, false).value_or("").find("Exec=wine"), std::string::npos);
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

} // namespace

// Names and command lines made of the characters the desktop entry format
// reserves: each entry written must validate and carry the words unchanged.
TEST(Shortcuts, ReservedCharactersAreEscapedAndEveryEntryValidates) {
    test::TempDir dir;
    const std::string folder = (dir / "Korvath Shortcuts").string();
    std::filesystem::create_directories(folder);
    const std::string tricky = "a\\b $HOME `id` 100% ;";
    const std::vector<ShortcutLink> links = {
        {folder + "/Doom2 - Map07", "/games/K orvath/Bin/Korvath.exe",
         "-file \"" + tricky + "\" -warp 07 ", "/games/K orvath", 0, "/games/Bin/Korvath.exe"},
        {folder + "/My megawad", "/games/Bin/Korvath.exe", "-file C:\\wads\\x.wad ", "/games\\root",
         0, "/games/Bin/Korvath.exe"},
        {folder + "/D\u00fcnm\u00f3re", "/games/Bin/Korvath.exe", "-cmd \"echo ${x}\" ", "/g", 0,
         "/g/Bin/Korvath.exe"}};
    for (const ShortcutLink& link : links) {
        ASSERT_TRUE(writeDesktopEntry(link)) << link.file;
        EXPECT_EQ(validationErrors(link.file + ".desktop"), "") << link.file;
    }
    const std::string text = test::readFile(links[0].file + ".desktop");
    EXPECT_NE(text.find("Exec=\"/games/K orvath/Bin/Korvath.exe\" \"-file\" "
                        "\"a\\\\\\\\b \\\\$HOME \\\\`id\\\\` 100%% ;\" "
                        "\"-warp\" \"07\"\n"),
              std::string::npos)
        << text;

    // A line break in the command or the name can never be written raw.
    for (const ShortcutLink& bad :
         {ShortcutLink{folder + "/x", "/g/K.exe", "-file \"a\r\nExec=sh\" ", "/g", 0, "/g/K.exe"},
          ShortcutLink{folder + "/x", "/g/K.exe", "-file \"a\x01\" ", "/g", 0, "/g/K.exe"},
          ShortcutLink{folder + "/\xff", "/g/K.exe", "", "/g", 0, "/g/K.exe"}}) {
        EXPECT_FALSE(desktopEntryText(bad, false)) << bad.arguments;
        EXPECT_FALSE(writeDesktopEntry(bad));
    }
    EXPECT_FALSE(std::filesystem::exists(folder + "/x.desktop"));
}

// The launch routine's shortcut writer refuses, with a message, a game or
// wad name that a shortcut cannot carry.
TEST(Shortcuts, UnsafeNamesAreRefusedWithAMessage) {
    test::TempDir dir;
    ScriptedPlatform platform;
    platform.specialFolders[SpecialFolder::Desktop] = dir.path().string();
    const InstallPaths paths = InstallPaths::fromRoot((dir / "root").string());
    for (const std::string& name : {std::string("EVIL\r\nExec=sh"), std::string("..")}) {
        ShortcutRequest request;
        request.desktop = true;
        request.name = name;
        createShortcuts(platform, paths, "-iwad doom2.wad ", request);
    }
    ShortcutRequest request;
    request.desktop = true;
    request.name = "GOOD";
    createShortcuts(platform, paths, "-file \"a\nb.wad\" ", request);
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages[0].title, " Shortcut error");
    EXPECT_TRUE(platform.shortcuts.empty());
}

namespace {

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
