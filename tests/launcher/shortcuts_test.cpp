// Shortcut names and the desktop entries written for them.
#include "launcher/platform/shortcut_file.h"
#include "launcher/ui/shortcuts.h"

#include <gtest/gtest.h>

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
