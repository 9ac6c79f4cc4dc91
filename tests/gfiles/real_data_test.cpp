// The tool on real WADs: Freedoom's IWADs from Debian's freedoom package, and
// a GL-node WAD built from Freedoom: Phase 2 by glbsp.

#include "support/temp_dir.h"
#include "tool_runner.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace krv::test {
namespace {

namespace fs = std::filesystem;

const fs::path kFreedoom1 = "/usr/share/games/doom/freedoom1.wad";
const fs::path kFreedoom2 = "/usr/share/games/doom/freedoom2.wad";

std::string mapLines(int count) {
    std::string out;
    for (int n = 1; n <= count; ++n) {
        char line[16];
        std::snprintf(line, sizeof line, "MAP%02d\r\n", n);
        out += line;
    }
    return out;
}

class GfilesRealData : public ::testing::Test {
protected:
    TempDir dir_;
    GfilesInstall install_{dir_.path()};
};

TEST_F(GfilesRealData, Freedoom1Episodes) {
    if (!fs::exists(kFreedoom1))
        GTEST_SKIP() << kFreedoom1 << " is missing (Debian package freedoom)";
    std::string expected = "IWAD\r\nNUMLEVELS 36\r\nGLNODES 0\r\n";
    for (int e = 1; e <= 4; ++e)
        for (int m = 1; m <= 9; ++m)
            expected += "E" + std::to_string(e) + "M" + std::to_string(m) + "\r\n";
    const RunResult r = install_.run({"CHECKWAD", kFreedoom1.string()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, expected);
}

TEST_F(GfilesRealData, Freedoom2Maps) {
    if (!fs::exists(kFreedoom2))
        GTEST_SKIP() << kFreedoom2 << " is missing (Debian package freedoom)";
    const RunResult r = install_.run({"CHECKWAD", kFreedoom2.string()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, "IWAD\r\nNUMLEVELS 32\r\nGLNODES 0\r\n" + mapLines(32));
}

TEST_F(GfilesRealData, GlNodesBuiltByGlbsp) {
    if (!fs::exists(kFreedoom2))
        GTEST_SKIP() << kFreedoom2 << " is missing (Debian package freedoom)";
    if (std::system("command -v glbsp >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "glbsp is missing (Debian package glbsp)";
    const fs::path out = dir_ / "fd2gl.wad";
    const std::string command = "glbsp -quiet '" + kFreedoom2.string() + "' -o '" + out.string() +
                                "' > '" + (dir_ / "glbsp.log").string() + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << readFile(dir_ / "glbsp.log");

    const RunResult r = install_.run({"CHECKWAD", out.string()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, "IWAD\r\nNUMLEVELS 32\r\nGLNODES 1\r\n" + mapLines(32));
}

} // namespace
} // namespace krv::test
