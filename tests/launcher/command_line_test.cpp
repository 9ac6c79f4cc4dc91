#include "launcher/platform/command_line.h"
#include "launcher/platform/process.h"
#include "support/install_root.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

using namespace krv;
using krv::test::InstallRoot;
using krv::test::readFile;
using krv::test::TempDir;
using krv::test::writeFile;
namespace fs = std::filesystem;

TEST(CommandLine, SplitsTheWindowsWay) {
    using V = std::vector<std::string>;
    EXPECT_EQ(splitCommandLine("Bin\\Korvath -iwad  \"C:\\My Games\\doom2.wad\" -warp 1"),
              (V{"Bin\\Korvath", "-iwad", "C:\\My Games\\doom2.wad", "-warp", "1"}));
    EXPECT_EQ(splitCommandLine("a \"\" b"), (V{"a", "", "b"}));
    EXPECT_EQ(splitCommandLine("x\"y z\"w"), (V{"xy zw"}));
    EXPECT_EQ(splitCommandLine("back\\\"slash"), (V{"back\\slash"})); // nothing escapes
    EXPECT_EQ(splitCommandLine("\"unclosed quote"), (V{"unclosed quote"}));
    EXPECT_TRUE(splitCommandLine("   ").empty());
    EXPECT_EQ(splitCommandLine(joinCommandLine({"a b", "", "c"})), (V{"a b", "", "c"}));
}

TEST(CommandLine, ResolvesTheProgramCaseInsensitivelyAddingExe) {
    InstallRoot root;
    const auto argv = resolveCommand("bin\\korvath -file \"x y.wad\"", root.root());
    ASSERT_TRUE(argv);
    EXPECT_EQ(argv->at(0), (root / "Bin/Korvath.exe").string());
    EXPECT_EQ(argv->at(2), "x y.wad");
    EXPECT_FALSE(resolveCommand("Bin\\Missing", root.root()));
    EXPECT_FALSE(resolveCommand("", root.root()));
    // A program without an extension, as Linux programs are, stands for itself.
    writeFile(root / "Tools/myedit", "#!/bin/sh\n");
    const auto bare = resolveCommand("Tools\\MyEdit x", root.root());
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->at(0), (root / "Tools/myedit").string());
}

TEST(CommandLine, HandsWindowsProgramsToWine) {
    InstallRoot root;
    TempDir bin;
    writeFile(bin / "wine", "#!/bin/sh\n");
    fs::permissions(bin / "wine", fs::perms::owner_all);
    writeFile(root / "Bin/Korvath.exe", "MZ\x90\x00 windows program");
    const std::string oldPath = std::getenv("PATH");
    ::setenv("PATH", bin.path().c_str(), 1);
    const auto argv = resolveCommand("Bin\\Korvath -warp 1", root.root());
    ::setenv("PATH", oldPath.c_str(), 1);
    ASSERT_TRUE(argv);
    EXPECT_EQ(argv->at(0), (bin / "wine").string());
    EXPECT_EQ(argv->at(1), (root / "Bin/Korvath.exe").string());
    EXPECT_EQ(argv->at(2), "-warp");
}

TEST(Process, CapturesOutputAndErrorThroughOnePipe) {
    TempDir dir;
    const auto r =
        runCaptured({"/bin/sh", "-c", "echo out; echo err >&2; pwd; exit 3"}, dir.path().string());
    EXPECT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.output, "out\nerr\n" + dir.path().string() + "\n");
    // A file the launcher holds open without close-on-exec is not the child's.
    const int held = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(held, 3);
    const std::string probe = "[ -e /proc/self/fd/" + std::to_string(held) + " ] && echo open";
    EXPECT_EQ(runCaptured({"/bin/sh", "-c", probe + " || echo closed"}, "/").output, "closed\n");
    EXPECT_EQ(runForOutput({"/bin/sh", "-c", "echo out; echo err >&2"}, "/").output, "out\n");
    ::close(held);
    const HiddenRunResult missing = runCaptured({"/no/such/program"}, dir.path().string());
    EXPECT_FALSE(missing.started);
    EXPECT_EQ(missing.errorNumber, ENOENT); // shown in "CreateProcess failed. Error: 2"
}

TEST(Process, StartsDetachedInTheWorkingFolder) {
    InstallRoot root;
    const auto argv = resolveCommand("Bin\\Korvath -iwad \"My Doom.wad\"", root.root());
    ASSERT_TRUE(argv);
    ASSERT_TRUE(startDetached(*argv, root.root()).has_value());
    const fs::path log = root / "standin-engine.log";
    for (int i = 0; i < 500 && readFile(log).find(".wad") == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(readFile(log), root.root() + "\n-iwad\nMy Doom.wad\n");
    EXPECT_FALSE(startDetached({"/no/such/program"}, root.root()));
    EXPECT_FALSE(startDetached({"/bin/true"}, "/no/such/folder"));
    // An engine that is not executable is a failed start, not a silent one.
    fs::permissions(root / "Bin/Korvath.exe", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(startDetached(*argv, root.root()));
}
