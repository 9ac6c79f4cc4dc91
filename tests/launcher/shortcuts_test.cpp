// Shortcut names and the desktop entries written for them.
#include "launcher/platform/shortcut_file.h"
#include "launcher/ui/shortcuts.h"

#include "launcher/platform/scripted_platform.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
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

// What desktop-file-validate says of a file; empty when it finds nothing.
std::string validatorComplaints(const std::filesystem::path& file) {
    const std::string command = "desktop-file-validate '" + file.string() + "' 2>&1";
    std::string said;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            said += buffer;
        if (::pclose(pipe) != 0 && said.empty())
            said = "desktop-file-validate failed";
    } else {
        said = "cannot run desktop-file-validate";
    }
    return said;
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
        EXPECT_EQ(validatorComplaints(link.file + ".desktop"), "") << link.file;
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
