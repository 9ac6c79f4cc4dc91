// The known-PWAD table: sections by marker, blanks and case, and tables that
// are missing, empty or not text at all.
#include "launcher/inspect/known_pwads.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

using krv::knownPwadSection;
using krv::test::TempDir;
using krv::test::writeFile;

TEST(KnownPwads, SectionsFollowTheMarkers) {
    const std::string table = "a.wad, Check2\r\nb.wad\r\nCheck5,c.wad\n";
    EXPECT_EQ(knownPwadSection(table, "a.wad"), 1);
    EXPECT_EQ(knownPwadSection(table, "B.WAD"), 2);
    EXPECT_EQ(knownPwadSection(table, "c.wad"), 5);
    EXPECT_EQ(knownPwadSection(table, "d.wad"), 0);

    // Markers ignore case and what follows their six characters; "Check1"
    // and "Check8" are names, not markers.
    const std::string odd = "check7 tail, Check8, x.wad ,CHECK3,Check1,y.wad";
    EXPECT_EQ(knownPwadSection(odd, "x.wad"), 7);
    EXPECT_EQ(knownPwadSection(odd, "y.wad"), 3);
    EXPECT_EQ(knownPwadSection(odd, "Check8"), 7);
}

TEST(KnownPwads, EmptyNamesAndFieldsNeverMatch) {
    EXPECT_EQ(knownPwadSection("a.wad,,\r\n\r\n, ,Check4", ""), 0);
    EXPECT_EQ(knownPwadSection("a.wad,,Check4", "  "), 0);
    EXPECT_EQ(knownPwadSection("", "a.wad"), 0);
    EXPECT_EQ(knownPwadSection("Check6", "Check6"), 6);
}

TEST(KnownPwads, LooksUpTheMainWadsFileNameInTheDataFolder) {
    TempDir dir;
    const std::string data = (dir / "KRVLaunch/Data").string() + "/";
    EXPECT_EQ(krv::lookUpKnownPwad(data, "/g/Pwads/a.wad"), 0); // no table

    writeFile(dir / "KRVLaunch/Data/CheckPwad.KRV", "Dunmóre Maps.wad\r\nCheck2\r\nb.wad\r\n");
    EXPECT_EQ(krv::lookUpKnownPwad(data, "/g/Pwads/dunmóre maps.wad"), 1);
    EXPECT_EQ(krv::lookUpKnownPwad(data, "/g/Pwads/B.wad"), 2);

    writeFile(dir / "KRVLaunch/Data/CheckPwad.KRV", "");
    EXPECT_EQ(krv::lookUpKnownPwad(data, "/g/Pwads/b.wad"), 0);

    // Binary bytes: NULs and high bytes are field text like any other.
    const char binary[] = "\0\xff\x01,Check3\0,\x80\x81\nb.wad\0";
    writeFile(dir / "KRVLaunch/Data/CheckPwad.KRV", std::string(binary, sizeof binary - 1));
    EXPECT_EQ(krv::lookUpKnownPwad(data, "/g/Pwads/b.wad"), 0);
    EXPECT_EQ(krv::lookUpKnownPwad(data, "/g/Pwads/\x80\x81"), 3);

    std::filesystem::remove(dir / "KRVLaunch/Data/CheckPwad.KRV");
    std::filesystem::create_directories(dir / "KRVLaunch/Data/checkpwad.krv");
    EXPECT_EQ(krv::lookUpKnownPwad(data, "/g/Pwads/b.wad"), 0);
}
