// GETSAVEHDRS and FGETSAVEHDRS through the built tool and LZSS.dll, on saved
// games made by the test writer.

#include "support/lzss_writer.h"
#include "support/savegame_builder.h"
#include "support/temp_dir.h"
#include "tool_runner.h"

#include <gtest/gtest.h>

namespace krv::test {
namespace {

namespace fs = std::filesystem;

std::string tenLines(const std::vector<std::string>& descriptions) {
    std::string out;
    for (int slot = 0; slot < 10; ++slot) {
        out += std::to_string(slot) + " ";
        if (slot < static_cast<int>(descriptions.size()))
            out += descriptions[slot];
        out += "\r\n";
    }
    return out;
}

class GfilesSaveHeaders : public ::testing::Test {
protected:
    void save(int slot, const std::string& bytes) {
        writeFile(saves_ / ("KorvathSav" + std::to_string(slot) + ".krvsg"), bytes);
    }

    TempDir dir_;
    GfilesInstall install_{dir_.path()};
    fs::path saves_ = dir_ / "Saves";
};

TEST_F(GfilesSaveHeaders, EmptyFolderGivesTenBareLines) {
    fs::create_directories(saves_);
    const RunResult r = install_.run({"GETSAVEHDRS", saves_.string()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, "0 \r\n1 \r\n2 \r\n3 \r\n4 \r\n5 \r\n6 \r\n7 \r\n8 \r\n9 \r\n");
}

TEST_F(GfilesSaveHeaders, DescriptionsOfEverySlot) {
    save(0, packedSaveGame("Hangar, before the door"));
    save(1, packedSaveGame("lowest version", 0xF3D35300u));
    save(2, packedSaveGame("highest version", 0xF3D3530Fu));
    save(3, packedSaveGame("too new", 0xF3D35310u));
    save(4, packedSaveGame("too old", 0xF3D352FFu));
    save(5, packedSaveGame("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123")); // 26 bytes kept, no NUL
    save(6, lzssStore(saveGameStream("stored unpacked")));
    save(7, packedSaveGame(""));
    // Only the ten single-digit names are looked at.
    writeFile(saves_ / "KorvathSav01.krvsg", packedSaveGame("two digits"));
    writeFile(saves_ / "KorvathSav10.krvsg", packedSaveGame("slot ten"));
    writeFile(saves_ / "KorvathSav9.sav", packedSaveGame("other extension"));
    save(9, packedSaveGame("Entryway\xe9 \xff"));

    const RunResult r = install_.run({"GETSAVEHDRS", saves_.string()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, tenLines({"Hangar, before the door", "lowest version", "highest version",
                                  "", "", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "stored unpacked", "", "",
                                  "Entryway\xe9 \xff"}));
}

TEST_F(GfilesSaveHeaders, SlotFilesFoundWithoutRegardToCase) {
    writeFile(saves_ / "korvathsav3.KRVSG", packedSaveGame("any case"));
    EXPECT_EQ(install_.run({"GETSAVEHDRS", (dir_ / "saves").string()}).output,
              tenLines({"", "", "", "any case"}));
}

TEST_F(GfilesSaveHeaders, BrokenSavedGames) {
    const std::string good = packedSaveGame("a good description");
    const std::string stored = lzssStore(saveGameStream("a good description"));
    save(0, "");                                                  // empty
    save(1, "slh!");                                              // magic alone
    save(2, good.substr(0, 7));                                   // cut inside the version word
    save(3, "PWAD" + good.substr(4));                             // not a packed file
    save(4, "slh!" + std::string("\x00\xff\xfe\x13\x37\x00", 6)); // garbage after a magic
    save(5, stored.substr(0, 4 + 4 + 16 + 6));                    // cut inside the description
    fs::create_directories(saves_ / "KorvathSav6.krvsg");         // a folder
    save(7, stored.substr(0, 8));                                 // version word, no block
    save(8, good);

    const RunResult r = install_.run({"GETSAVEHDRS", saves_.string()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, tenLines({"", "", "", "", "", "a good", "", "", "a good description"}));
}

TEST_F(GfilesSaveHeaders, PackedSavedGameCutAnywhere) {
    // Cut after every byte of the first 64: in a group, after a flag byte,
    // inside a reference. Each slot shows a prefix of the description (what
    // had arrived), never anything else.
    const std::string description = "cut description";
    const std::string good = packedSaveGame(description);
    ASSERT_GT(good.size(), 64u);
    std::size_t longest = 0;
    for (std::size_t first = 4; first < 64; first += 10) {
        for (int slot = 0; slot < 10; ++slot)
            save(slot, good.substr(0, first + slot));
        const RunResult r = install_.run({"GETSAVEHDRS", saves_.string()});
        ASSERT_EQ(r.exitCode, 0);
        std::size_t pos = 0;
        for (int slot = 0; slot < 10; ++slot) {
            const std::string prefix = std::to_string(slot) + " ";
            ASSERT_EQ(r.output.compare(pos, 2, prefix), 0) << r.output;
            const std::size_t end = r.output.find("\r\n", pos);
            ASSERT_NE(end, std::string::npos);
            const std::string shown = r.output.substr(pos + 2, end - pos - 2);
            EXPECT_EQ(description.substr(0, shown.size()), shown) << first + slot;
            longest = std::max(longest, shown.size());
            pos = end + 2;
        }
        EXPECT_EQ(pos, r.output.size());
    }
    // The cuts reach past the description.
    EXPECT_EQ(longest, description.size());
}

TEST_F(GfilesSaveHeaders, LineBreaksInADescriptionDontShiftTheSlots) {
    save(2, packedSaveGame("one\r\ntwo\nthree"));
    EXPECT_EQ(install_.run({"GETSAVEHDRS", saves_.string()}).output,
              tenLines({"", "", "one  two three"}));
}

TEST_F(GfilesSaveHeaders, FileVariantWritesBesideTheTool) {
    save(1, packedSaveGame("to the file"));
    RunResult r = install_.run({"FGETSAVEHDRS", saves_.string()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, "");
    EXPECT_EQ(readFile(install_.bin() / "krvshrs.out"), tenLines({"", "to the file"}));

    // A folder that can't be entered leaves an empty file and exit code 1.
    r = install_.run({"FGETSAVEHDRS", (dir_ / "nowhere").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, "");
    EXPECT_TRUE(fs::exists(install_.bin() / "krvshrs.out"));
    EXPECT_EQ(readFile(install_.bin() / "krvshrs.out"), "");

    r = install_.run({"GETSAVEHDRS", (dir_ / "nowhere").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, "");
}

TEST_F(GfilesSaveHeaders, OutputFileThatCantBeCreated) {
    save(1, packedSaveGame("x"));
    fs::create_directory(install_.bin() / "krvshrs.out");
    const RunResult r = install_.run({"FGETSAVEHDRS", saves_.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, "");
}

TEST_F(GfilesSaveHeaders, WithoutTheModule) {
    save(1, packedSaveGame("unreadable"));
    fs::remove(install_.bin() / "LZSS.dll");
    for (const char* command : {"GETSAVEHDRS", "FGETSAVEHDRS"}) {
        const RunResult r = install_.run({command, saves_.string()});
        EXPECT_EQ(r.exitCode, 1) << command;
        EXPECT_EQ(r.output, "") << command;
    }
    EXPECT_FALSE(fs::exists(install_.bin() / "krvshrs.out"));
    // A module file that is no library at all.
    writeFile(install_.bin() / "LZSS.dll", "MZ not really");
    EXPECT_EQ(install_.run({"GETSAVEHDRS", saves_.string()}).exitCode, 1);
    // The WAD commands don't need it.
    EXPECT_EQ(install_.run({"LISTWAD", saves_.string()}).output, "0\r\n");
}

} // namespace
} // namespace krv::test
