// Map titles read from UMAPINFO, MAPINFO and DEHACKED lumps, in memory and
// through the built tool.

#include "gfiles/map_titles.h"
#include "support/temp_dir.h"
#include "support/wad_builder.h"
#include "tool_runner.h"

#include <gtest/gtest.h>

namespace krv::gfiles {
namespace {

using test::WadBuilder;

TEST(GfilesMapTitles, EachLumpKindNamesItsTitles) {
    EXPECT_EQ(parseUmapinfo("// maps\nMAP MAP01 {\n  levelname = \"The \\\"Gate\\\"\"\n"
                            "  next = \"MAP02\"\n}\nmap e1m2 { music = \"D_E1M2\" levelname = "
                            "\"Nuclear\tPlant\" }\n/* map MAP03 { levelname = \"No\" } */"),
              (MapTitles{{"MAP01", "The \"Gate\""}, {"E1M2", "Nuclear Plant"}}));
    EXPECT_EQ(parseMapinfo("map MAP01 \"Hangar Bay\" { sky1 = \"SKY1\" }\n"
                           "map MAP02 lookup \"HUSTR_2\" {}\n"
                           "; Hexen style\nmap 3 \"Winnowing Hall\"\nsky1 SKY2 0\n"),
              (MapTitles{{"MAP01", "Hangar Bay"}, {"MAP03", "Winnowing Hall"}}));
    EXPECT_EQ(parseDehackedStrings("Patch File for DeHackEd v3.0\n[STRINGS]\n"
                                   "HUSTR_1 = level 1: entryway\nPHUSTR_2 = level 2: well \\\n"
                                   "  of souls\nHUSTR_E1M1 = E1M1: Hangar\nGOTARMOR = Armor!\n"
                                   "[PARS]\nHUSTR_3 = not a string here\n"),
              (MapTitles{{"MAP01", "entryway"}, {"MAP02", "well of souls"}, {"E1M1", "Hangar"}}));
}

TEST(GfilesMapTitles, TheToolPrintsTitlesOfListedLevelsUmapinfoFirst) {
    test::TempDir dir;
    test::GfilesInstall install(dir.path());
    const std::string longTitle(300, 'x');
    const std::string bytes =
        WadBuilder()
            .level("MAP01")
            .level("MAP02")
            .level("MAP03")
            .lump("UMAPINFO", "map MAP01 { levelname = \"Umapinfo One\" }\n"
                              "map MAP09 { levelname = \"Not in this wad\" }")
            .lump("MAPINFO", "map MAP01 \"Mapinfo One\"\nmap MAP02 \"Mapinfo\x01 Two\"\n")
            .lump("DEHACKED", "[STRINGS]\nHUSTR_3 = level 3: " + longTitle + "\n")
            .build();
    test::writeFile(dir / "titles.wad", bytes);
    const test::RunResult r = install.run({"MAPTITLES", (dir / "titles.wad").string()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output,
              "MAP01 Umapinfo One\r\nMAP02 Mapinfo Two\r\nMAP03 " + std::string(96, 'x') + "\r\n");
    // Not a WAD: nothing printed, exit code 1; the other commands are unchanged.
    test::writeFile(dir / "junk.wad", "JUNKJUNKJUNK");
    EXPECT_EQ(install.run({"MAPTITLES", (dir / "junk.wad").string()}).exitCode, 1);
    EXPECT_EQ(install.run({"CHECKWAD", (dir / "titles.wad").string()}).output,
              "PWAD\r\nNUMLEVELS 3\r\nGLNODES 0\r\nMAP01\r\nMAP02\r\nMAP03\r\n");
}

} // namespace
} // namespace krv::gfiles
