// The WAD directory scan on WADs built in memory.

#include "gfiles/wad_scan.h"
#include "support/wad_builder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace krv::gfiles {
namespace {

using test::WadBuilder;
using Lines = std::vector<std::string>;

// A WAD held in memory; counts the bytes read outside the header and the
// directory so tests can tell what the scan touched.
class MemorySource final : public WadSource {
public:
    explicit MemorySource(std::string bytes) : bytes_(std::move(bytes)) {}
    std::int64_t size() const override { return static_cast<std::int64_t>(bytes_.size()); }
    std::size_t readAt(std::int64_t offset, void* dest, std::size_t n) override {
        EXPECT_GE(offset, 0);
        if (offset < 0 || offset >= size())
            return 0;
        const std::size_t take = std::min(n, bytes_.size() - static_cast<std::size_t>(offset));
        std::memcpy(dest, bytes_.data() + offset, take);
        return take;
    }

private:
    std::string bytes_;
};

WadScan scan(const std::string& bytes) {
    MemorySource source(bytes);
    return scanWad(source);
}

// The tool's output lines, or {"NOT A WAD"} when the scan fails.
Lines check(const std::string& bytes) {
    const WadScan result = scan(bytes);
    return result.ok ? checkOutputLines(result) : Lines{"NOT A WAD"};
}

Lines check(const WadBuilder& wad) {
    return check(wad.build());
}

const Lines kNoLevels{"PWAD", "NUMLEVELS 0", "GLNODES 0"};
const Lines kNotWad{"NOT A WAD"};

TEST(GfilesScan, TwoLevelsWithGlNodes) {
    EXPECT_EQ(check(WadBuilder().levelWithGl("MAP01").levelWithGl("MAP02")),
              (Lines{"PWAD", "NUMLEVELS 2", "GLNODES 1", "MAP01", "MAP02"}));
}

TEST(GfilesScan, KindAndHeader) {
    EXPECT_EQ(check(WadBuilder("IWAD").lump("PLAYPAL", "x")),
              (Lines{"IWAD", "NUMLEVELS 0", "GLNODES 0"}));
    EXPECT_EQ(check(WadBuilder().lump("PLAYPAL", "x")), kNoLevels);
    // The identification is compared byte for byte.
    EXPECT_EQ(check(WadBuilder("pwad").level("MAP01")), kNotWad);
    EXPECT_EQ(check(WadBuilder("IWAX").level("MAP01")), kNotWad);
    // Short headers, down to an empty file.
    const std::string wad = WadBuilder().level("MAP01").build();
    for (std::size_t len : {0, 4, 11})
        EXPECT_EQ(check(wad.substr(0, len)), kNotWad) << len;
    // A header alone with no entries is a WAD without levels.
    EXPECT_EQ(check(WadBuilder().build()), kNoLevels);
}

TEST(GfilesScan, EntryCountAndDirectoryOffset) {
    // A count of 0 or less means no entries.
    EXPECT_EQ(check(WadBuilder().level("MAP01").entryCount(0)), kNoLevels);
    EXPECT_EQ(check(WadBuilder().level("MAP01").entryCount(-5)), kNoLevels);
    // A directory before the start or beyond the end of the file can't be
    // reached.
    EXPECT_EQ(check(WadBuilder().level("MAP01").directoryOffset(-16)), kNotWad);
    const std::string wad = WadBuilder().level("MAP01").build();
    EXPECT_EQ(check(WadBuilder().level("MAP01").directoryOffset(int(wad.size()) + 1)), kNotWad);
    EXPECT_EQ(check(WadBuilder().level("MAP01").entryCount(0).directoryOffset(0x7FFFFFFF)),
              kNotWad);
    // One that starts exactly at the end is reached and comes up short at once.
    EXPECT_EQ(check(WadBuilder().level("MAP01").directoryOffset(int(wad.size()))), kNoLevels);
}

TEST(GfilesScan, ShortDirectoryKeepsWhatWasFound) {
    WadBuilder wad;
    wad.levelWithGl("MAP01").levelWithGl("MAP02").lump("ENDOOM");
    const std::string full = wad.build();
    const Lines both{"PWAD", "NUMLEVELS 2", "GLNODES 1", "MAP01", "MAP02"};
    // A count far beyond the entries present: the main sequence ends at the
    // end of the file.
    EXPECT_EQ(check(WadBuilder(wad).entryCount(0x7FFFFFFF)), both);
    // Cut inside the last entry, and before the second level's entries.
    EXPECT_EQ(check(full.substr(0, full.size() - 3)), both);
    const std::size_t secondLevel = full.size() - 17 * 16;
    EXPECT_EQ(check(full.substr(0, secondLevel + 5)),
              (Lines{"PWAD", "NUMLEVELS 1", "GLNODES 1", "MAP01"}));
    // Cut inside the three lumps after THINGS: the level is not recorded.
    EXPECT_EQ(check(full.substr(0, secondLevel + 3 * 16 + 8)),
              (Lines{"PWAD", "NUMLEVELS 1", "GLNODES 1", "MAP01"}));
}

TEST(GfilesScan, MarkerForms) {
    EXPECT_EQ(check(WadBuilder().level("E1M1").level("E4M9")),
              (Lines{"PWAD", "NUMLEVELS 2", "GLNODES 0", "E1M1", "E4M9"}));
    // Lower case, extra characters, wrong letters: not markers.
    for (const char* name : {"map01", "e1m1", "Map01", "MAP01X", "E1M10", "E1M", "MAP1", "EXM1",
                             "E1N1", "MAPA1", "MAP0A", "E1MA", "MAP01\xff"})
        EXPECT_EQ(check(WadBuilder().level(name)), kNoLevels) << name;
    // Number 00 is never a level.
    EXPECT_EQ(check(WadBuilder().level("MAP00").level("E0M0")), kNoLevels);
    // Number 10 * x + y: E1M0 is number 10, E0M5 number 5.
    EXPECT_EQ(check(WadBuilder().level("E1M0").level("E0M5")),
              (Lines{"PWAD", "NUMLEVELS 2", "GLNODES 0", "E0M5", "E1M0"}));
    // A name ends at its first NUL; what follows is ignored.
    EXPECT_EQ(check(WadBuilder().level(std::string("MAP07\0ZZ", 8))),
              (Lines{"PWAD", "NUMLEVELS 1", "GLNODES 0", "MAP07"}));
}

TEST(GfilesScan, ThingsIgnoresCaseButFollowingLumpsDoNot) {
    EXPECT_EQ(check(WadBuilder().lumps({"MAP03", "things", "LINEDEFS", "SIDEDEFS", "VERTEXES"})),
              (Lines{"PWAD", "NUMLEVELS 1", "GLNODES 0", "MAP03"}));
    EXPECT_EQ(check(WadBuilder().lumps({"MAP03", "ThInGs", "LINEDEFS", "SIDEDEFS", "VERTEXES"})),
              (Lines{"PWAD", "NUMLEVELS 1", "GLNODES 0", "MAP03"}));
    // Case folding is ASCII: a byte with the high bit set is not a letter.
    EXPECT_EQ(check(WadBuilder().lumps({"MAP03", "\xd4HINGS", "LINEDEFS", "SIDEDEFS", "VERTEXES"})),
              kNoLevels);
    EXPECT_EQ(check(WadBuilder().lumps({"MAP03", "THINGS", "linedefs", "SIDEDEFS", "VERTEXES"})),
              kNoLevels);
    // Wrong order; a lump in between.
    EXPECT_EQ(check(WadBuilder().lumps({"MAP03", "THINGS", "LINEDEFS", "VERTEXES", "SIDEDEFS"})),
              kNoLevels);
    EXPECT_EQ(
        check(WadBuilder().lumps({"MAP03", "THINGS", "LINEDEFS", "SEGS", "SIDEDEFS", "VERTEXES"})),
        kNoLevels);
    // THINGS must follow the marker directly.
    EXPECT_EQ(
        check(WadBuilder().lumps({"MAP03", "SEGS", "THINGS", "LINEDEFS", "SIDEDEFS", "VERTEXES"})),
        kNoLevels);
    // The directory ends inside the look-ahead.
    EXPECT_EQ(check(WadBuilder().lumps({"MAP03", "THINGS", "LINEDEFS", "SIDEDEFS"})), kNoLevels);
}

TEST(GfilesScan, LevelsCountedOncePerNumberAndKind) {
    EXPECT_EQ(check(WadBuilder().level("MAP05").level("MAP05")),
              (Lines{"PWAD", "NUMLEVELS 1", "GLNODES 0", "MAP05"}));
    // E1M1 and MAP11 share number 11 but are two levels; ExMy first.
    EXPECT_EQ(check(WadBuilder().level("MAP11").level("E1M1")),
              (Lines{"PWAD", "NUMLEVELS 2", "GLNODES 0", "E1M1", "MAP11"}));
    // Both listed in ascending order of number whatever the file order.
    EXPECT_EQ(check(WadBuilder().level("MAP30").level("E2M1").level("MAP02").level("E1M3")),
              (Lines{"PWAD", "NUMLEVELS 4", "GLNODES 0", "E1M3", "E2M1", "MAP02", "MAP30"}));
}

TEST(GfilesScan, LookAheadsConsumeEntries) {
    // The look-ahead after MAP01's THINGS consumes LINEDEFS, SIDEDEFS and the
    // MAP02 marker; the next THINGS still follows "MAP01" as previous name,
    // so MAP01 is found and MAP02 never is.
    EXPECT_EQ(check(WadBuilder().lumps({"MAP01", "THINGS", "LINEDEFS", "SIDEDEFS", "MAP02",
                                        "THINGS", "LINEDEFS", "SIDEDEFS", "VERTEXES"})),
              (Lines{"PWAD", "NUMLEVELS 1", "GLNODES 0", "MAP01"}));
    // A GL look-ahead that fails leaves the previous name alone: after the
    // bogus lump, THINGS still follows MAP03, which sets the expected GL
    // marker again, and the second GL set counts.
    EXPECT_EQ(check(WadBuilder()
                        .lumps({"MAP03", "THINGS", "LINEDEFS", "SIDEDEFS", "VERTEXES", "GL_MAP03",
                                "BOGUS", "THINGS", "LINEDEFS", "SIDEDEFS", "VERTEXES"})
                        .glNodes("MAP03")),
              (Lines{"PWAD", "NUMLEVELS 1", "GLNODES 1", "MAP03"}));
    // After a complete GL set the previous name is GL_NODES: a THINGS right
    // after it makes no level.
    EXPECT_EQ(check(WadBuilder().levelWithGl("MAP01").lumps(
                  {"THINGS", "LINEDEFS", "SIDEDEFS", "VERTEXES"})),
              (Lines{"PWAD", "NUMLEVELS 1", "GLNODES 1", "MAP01"}));
}

TEST(GfilesScan, GlNodes) {
    // One level without GL nodes among levels with them.
    EXPECT_EQ(check(WadBuilder().levelWithGl("MAP01").level("MAP02").levelWithGl("MAP03"))[2],
              "GLNODES 0");
    // Signatures: versions 2 to 5 count, version 1 (no signature) and near
    // misses don't.
    for (const char* sig : {"gNd2", "gNd3", "gNd4", "gNd5"})
        EXPECT_EQ(check(WadBuilder().levelWithGl("E1M1", sig))[2], "GLNODES 1") << sig;
    for (const char* sig : {"gNd1", "gNd6", "GND2", "gnd2", "\0\0\0\0", "xyzw"})
        EXPECT_EQ(check(WadBuilder().levelWithGl("E1M1", std::string(sig, 4)))[2], "GLNODES 0")
            << sig;
    // The GL marker is compared exactly and must name the level.
    EXPECT_EQ(check(WadBuilder().level("MAP01").glNodes("map01"))[2], "GLNODES 0");
    EXPECT_EQ(check(WadBuilder().level("MAP01").glNodes("MAP02"))[2], "GLNODES 0");
    // GL nodes before their map's THINGS don't count.
    EXPECT_EQ(check(WadBuilder().glNodes("MAP01").level("MAP01"))[2], "GLNODES 0");
    // The lumps of a GL set must follow in order.
    EXPECT_EQ(check(WadBuilder()
                        .level("MAP01")
                        .lump("GL_MAP01")
                        .lump("GL_VERT", "gNd2")
                        .lumps({"GL_SSECT", "GL_SEGS", "GL_NODES"}))[2],
              "GLNODES 0");
    // A duplicate GL set for a level counts once; a level listed twice
    // still counts once, so one GL set covers it.
    EXPECT_EQ(check(WadBuilder().levelWithGl("MAP01").levelWithGl("MAP01").level("MAP02"))[2],
              "GLNODES 0");
    EXPECT_EQ(check(WadBuilder().levelWithGl("MAP01").level("MAP01")),
              (Lines{"PWAD", "NUMLEVELS 1", "GLNODES 1", "MAP01"}));
    // Only the next GL marker after a map check can match.
    EXPECT_EQ(check(WadBuilder().level("MAP01").glNodes("MAP01", "gNd1").glNodes("MAP01"))[2],
              "GLNODES 0");
}

TEST(GfilesScan, GlNodesOfMarkersThatAreNotLevelsNeverCount) {
    // MAP00 is not a level; its GL nodes must not make up for MAP02's
    // missing ones.
    EXPECT_EQ(check(WadBuilder().levelWithGl("MAP01").level("MAP02").levelWithGl("MAP00")),
              (Lines{"PWAD", "NUMLEVELS 2", "GLNODES 0", "MAP01", "MAP02"}));
    // Neither may a marker whose THINGS lacks the three lumps.
    EXPECT_EQ(check(WadBuilder()
                        .levelWithGl("MAP01")
                        .level("MAP02")
                        .lumps({"MAP03", "THINGS", "SEGS"})
                        .glNodes("MAP03")),
              (Lines{"PWAD", "NUMLEVELS 2", "GLNODES 0", "MAP01", "MAP02"}));
    // Every map check expects its own GL marker, also for a marker that is
    // not a level: MAP01's GL set after MAP00 is no longer expected.
    EXPECT_EQ(check(WadBuilder().level("MAP01").level("MAP00").glNodes("MAP01"))[2], "GLNODES 0");
    // ... so a GL_VERT offset past the end after MAP00 fails the scan.
    const auto afterMap00 = [](std::int32_t offset) {
        return WadBuilder()
            .levelWithGl("MAP01")
            .level("MAP00")
            .lump("GL_MAP00")
            .lumpAt("GL_VERT", offset)
            .lumps({"GL_SEGS", "GL_SSECT", "GL_NODES"});
    };
    EXPECT_EQ(check(afterMap00(0))[2], "GLNODES 1");
    EXPECT_EQ(check(afterMap00(0x7FFFFFFF)), kNotWad);
}

TEST(GfilesScan, GlLookAheadFailures) {
    // The directory ends (by count) inside the GL set: no GL nodes, no error.
    EXPECT_EQ(check(WadBuilder().level("MAP01").lump("GL_MAP01").lump("GL_VERT", "gNd2")),
              (Lines{"PWAD", "NUMLEVELS 1", "GLNODES 0", "MAP01"}));
    // The file ends inside the GL set: the scan fails.
    const std::string wad = WadBuilder().levelWithGl("MAP01").build();
    EXPECT_EQ(check(wad.substr(0, wad.size() - 16)), kNotWad);
    EXPECT_EQ(check(wad.substr(0, wad.size() - 40)), kNotWad);
    // The GL_VERT signature can't be read: beyond the end, negative, or
    // shorter than four bytes.
    const auto withVertAt = [](std::int32_t offset) {
        return WadBuilder()
            .level("MAP01")
            .lump("GL_MAP01")
            .lumpAt("GL_VERT", offset)
            .lumps({"GL_SEGS", "GL_SSECT", "GL_NODES"});
    };
    const std::string sized = withVertAt(0).build();
    const auto size = static_cast<std::int32_t>(sized.size());
    EXPECT_EQ(check(withVertAt(size + 100)), kNotWad);
    EXPECT_EQ(check(withVertAt(0x7FFFFFFF)), kNotWad);
    EXPECT_EQ(check(withVertAt(-1)), kNotWad);
    EXPECT_EQ(check(withVertAt(size - 2)), kNotWad);
    // Offset 0 reads "PWAD": readable, not a signature.
    EXPECT_EQ(check(withVertAt(0))[2], "GLNODES 0");
}

TEST(GfilesScan, NamesOfAnyBytes) {
    // Eight-character names without NUL and names with bytes above 127 are
    // ordinary names.
    WadBuilder wad;
    wad.lumps({"\xff\xfe\x80\x81\x82\x83\x84\x85", "ABCDEFGH", "\xc3\xa9t\xc3\xa9"});
    wad.level("MAP09");
    wad.lump("\x01\x02\x03");
    EXPECT_EQ(check(wad), (Lines{"PWAD", "NUMLEVELS 1", "GLNODES 0", "MAP09"}));
    // An empty name (all NUL) is an ordinary name too and matches nothing.
    EXPECT_EQ(check(WadBuilder().level("MAP01").lump("").lump(std::string(8, '\0'))),
              (Lines{"PWAD", "NUMLEVELS 1", "GLNODES 0", "MAP01"}));
}

TEST(GfilesScan, LargeDirectoryAcrossReadBlocks) {
    // The directory is fetched in blocks of entries; a level and its GL set
    // straddling a block boundary at every position are still found.
    for (int filler = 4080; filler <= 4098; ++filler) {
        WadBuilder wad;
        for (int i = 0; i < filler; ++i)
            wad.lump("FILLER");
        wad.levelWithGl("MAP12").levelWithGl("E3M4");
        EXPECT_EQ(check(wad), (Lines{"PWAD", "NUMLEVELS 2", "GLNODES 1", "E3M4", "MAP12"}))
            << filler;
    }
}

TEST(GfilesScan, NinetyNineLevels) {
    WadBuilder wad;
    Lines expected{"PWAD", "NUMLEVELS 99", "GLNODES 1"};
    for (int n = 1; n <= 99; ++n) {
        const std::string name = (n < 10 ? "MAP0" : "MAP") + std::to_string(n);
        wad.levelWithGl(name, "gNd5");
        expected.push_back(name);
    }
    EXPECT_EQ(check(wad), expected);
}

} // namespace
} // namespace krv::gfiles
