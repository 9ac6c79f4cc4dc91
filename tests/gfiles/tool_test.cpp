// The built KRVgFiles.exe run as a child process in a temporary
// installation: start-up, dispatch, exit codes and the exact output of the
// WAD commands.

#include "support/temp_dir.h"
#include "support/wad_builder.h"
#include "tool_runner.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace krv::test {
namespace {

namespace fs = std::filesystem;

const std::string kTwoMaps = "PWAD\r\nNUMLEVELS 2\r\nGLNODES 1\r\nMAP01\r\nMAP02\r\n";

class GfilesTool : public ::testing::Test {
protected:
    void SetUp() override {
        writeFile(dir_ / "maps.wad",
                  WadBuilder().levelWithGl("MAP01").levelWithGl("MAP02").build());
    }

    TempDir dir_;
    GfilesInstall install_{dir_.path()};
    std::string wad_ = (dir_ / "maps.wad").string();
};

TEST_F(GfilesTool, CheckWadPrintsLinesWithCrLf) {
    const RunResult r = install_.run({"CHECKWAD", wad_});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, kTwoMaps);

    writeFile(dir_ / "Episodes.WAD", WadBuilder("IWAD").level("E2M1").level("E1M9").build());
    EXPECT_EQ(install_.run({"CHECKWAD", (dir_ / "Episodes.WAD").string()}).output,
              "IWAD\r\nNUMLEVELS 2\r\nGLNODES 0\r\nE1M9\r\nE2M1\r\n");
    writeFile(dir_ / "none.wad", WadBuilder().lump("DEHACKED", "x").build());
    EXPECT_EQ(install_.run({"CHECKWAD", (dir_ / "none.wad").string()}).output,
              "PWAD\r\nNUMLEVELS 0\r\nGLNODES 0\r\n");
}

TEST_F(GfilesTool, CheckWadFindsTheFileWithoutRegardToCase) {
    EXPECT_EQ(install_.run({"CHECKWAD", (dir_ / "MAPS.Wad").string()}).output, kTwoMaps);
    // A relative operand is taken from the current folder.
    EXPECT_EQ(install_.run({"CHECKWAD", "../maps.wad"}).output, kTwoMaps);
}

TEST_F(GfilesTool, CheckWadFailures) {
    writeFile(dir_ / "text.wad", "just some text, no WAD at all");
    writeFile(dir_ / "empty.wad", "");
    const std::string glCut = WadBuilder().levelWithGl("MAP01").build();
    writeFile(dir_ / "glcut.wad", glCut.substr(0, glCut.size() - 20));
    for (const fs::path& bad : {dir_ / "missing.wad", dir_ / "text.wad", dir_ / "empty.wad",
                                dir_ / "glcut.wad", dir_.path()}) {
        const RunResult r = install_.run({"CHECKWAD", bad.string()});
        EXPECT_EQ(r.exitCode, 1) << bad;
        EXPECT_EQ(r.output, "") << bad;
    }
}

// One CHECKWADS run gives each file, in the order given, what a CHECKWAD run
// of it alone prints and ends with, behind a line that counts those lines.
TEST_F(GfilesTool, CheckWadsGivesEachFileItsCheckWadRun) {
    writeFile(dir_ / "with blanks" / "Episodes.WAD", WadBuilder("IWAD").level("E1M1").build());
    writeFile(dir_ / "text.wad", "just some text");
    const std::vector<std::string> files{
        wad_,
        (dir_ / "with blanks" / "episodes.wad").string(),
        (dir_ / "text.wad").string(),
        (dir_ / "missing.wad").string(),
        dir_.path().string(),
        "../maps.wad",
        wad_,
    };
    std::vector<std::string> args{"CHECKWADS"};
    std::string expected;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const RunResult alone = install_.run({"CHECKWAD", files[i]});
        std::size_t lines = 0;
        for (std::size_t pos = 0; (pos = alone.output.find("\r\n", pos)) != std::string::npos;
             pos += 2)
            ++lines;
        expected += "FILE " + std::to_string(i + 1) + " " + std::to_string(alone.exitCode) + " " +
                    std::to_string(lines) + "\r\n" + alone.output;
        args.push_back(files[i]);
    }
    const RunResult all = install_.run(args);
    EXPECT_EQ(all.exitCode, 0);
    EXPECT_EQ(all.output, expected);
    EXPECT_EQ(install_.run({"CHECKWADS", wad_, (dir_ / "text.wad").string()}).output,
              "FILE 1 0 5\r\n" + kTwoMaps + "FILE 2 1 0\r\n");
}

TEST_F(GfilesTool, CheckWadOfSpecialAndUnreadableFiles) {
    // A FIFO named like a WAD must not make the tool wait for a writer.
    const fs::path fifo = dir_ / "fifo.wad";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    RunResult r = install_.run({"CHECKWAD", fifo.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, "");
    r = install_.run({"LISTWAD", dir_.path().string()});
    EXPECT_EQ(r.output, "1\r\nmaps.wad\r\n");

    // File permissions don't stop root, so this part only runs for others.
    if (::geteuid() != 0) {
        ::chmod(wad_.c_str(), 0);
        r = install_.run({"CHECKWAD", wad_});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.output, "");
        EXPECT_EQ(install_.run({"LISTWAD", dir_.path().string()}).output, "0\r\n");
    }
}

TEST_F(GfilesTool, ArgumentCountsAndCommandWords) {
    const std::vector<std::vector<std::string>> ignored{
        {},
        {"CHECKWAD"},
        {"CHECKWAD", wad_, "extra"},
        {"FCHECKWAD", wad_},
        {"FCHECKWAD", "out.txt", wad_, "extra"},
        {"checkwad", wad_},
        {"LISTWAD"},
        {"LISTWAD", dir_.path().string(), "x"},
        {"GETSAVEHDRS"},
        {"FGETSAVEHDRS", "a", "b"},
        {"HELP", wad_},
        {"CHECKWADS"},
        {"checkwads", wad_},
    };
    for (const auto& args : ignored) {
        const RunResult r = install_.run(args);
        EXPECT_EQ(r.exitCode, 0) << (args.empty() ? "" : args[0]) << " " << args.size();
        EXPECT_EQ(r.output, "") << (args.empty() ? "" : args[0]) << " " << args.size();
    }
    EXPECT_FALSE(fs::exists(install_.bin() / "out.txt"));
}

TEST_F(GfilesTool, StartUp) {
    // The information file is emptied on every run, whatever the command.
    writeFile(install_.bin() / "krv_INF.TXT", "left over");
    EXPECT_EQ(install_.run({"NOTHING"}).exitCode, 0);
    EXPECT_EQ(readFile(install_.bin() / "krv_INF.TXT"), "");

    // Korvath.exe is found without regard to case.
    fs::rename(install_.bin() / "Korvath.exe", install_.bin() / "KORVATH.EXE");
    EXPECT_EQ(install_.run({"CHECKWAD", wad_}).output, kTwoMaps);

    // Without it, nothing at all happens.
    fs::remove(install_.bin() / "KORVATH.EXE");
    writeFile(install_.bin() / "KRV_inf.txt", "left over");
    fs::create_directory(install_.bin() / "Korvath.exe"); // a folder is not the engine
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"CHECKWAD", wad_},
          std::vector<std::string>{"FCHECKWAD", "out.txt", wad_},
          std::vector<std::string>{"LISTWAD", dir_.path().string()},
          std::vector<std::string>{"GETSAVEHDRS", "/nonexistent"},
          std::vector<std::string>{"CHECKWAD", "/nonexistent.wad"},
          std::vector<std::string>{"CHECKWADS", wad_, "/nonexistent.wad"}}) {
        const RunResult r = install_.run(args);
        EXPECT_EQ(r.exitCode, 0) << args[0];
        EXPECT_EQ(r.output, "") << args[0];
    }
    EXPECT_EQ(readFile(install_.bin() / "KRV_inf.txt"), "left over");
    EXPECT_FALSE(fs::exists(install_.bin() / "out.txt"));
}

TEST_F(GfilesTool, FileCheckWadOutputPaths) {
    // A bare name goes to the starting folder.
    RunResult r = install_.run({"FCHECKWAD", "out.txt", wad_});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, "");
    EXPECT_EQ(readFile(install_.bin() / "out.txt"), kTwoMaps);

    // The file is overwritten, also when it exists in another case.
    writeFile(install_.bin() / "OUT2.TXT", std::string(500, 'x'));
    install_.run({"FCHECKWAD", "out2.txt", wad_});
    EXPECT_EQ(readFile(install_.bin() / "OUT2.TXT"), kTwoMaps);

    // "stdout" means standard output.
    r = install_.run({"FCHECKWAD", "stdout", wad_});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, kTwoMaps);
    EXPECT_FALSE(fs::exists(install_.bin() / "stdout"));

    // A name with a folder part is used as it stands (relative to the
    // current folder), with either separator.
    fs::create_directory(dir_ / "sub");
    install_.run({"FCHECKWAD", (dir_ / "sub" / "full.txt").string(), wad_});
    EXPECT_EQ(readFile(dir_ / "sub" / "full.txt"), kTwoMaps);
    install_.run({"FCHECKWAD", "..\\sub\\back.txt", wad_});
    EXPECT_EQ(readFile(dir_ / "sub" / "back.txt"), kTwoMaps);
}

TEST_F(GfilesTool, FileCheckWadFailures) {
    // The output file can't be created: a message with the path tried, and
    // exit code 0.
    const std::string target = (dir_ / "no" / "such" / "folder.txt").string();
    RunResult r = install_.run({"FCHECKWAD", target, wad_});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, target + " could not be opened\r\n");

    fs::create_directory(install_.bin() / "taken");
    r = install_.run({"FCHECKWAD", "taken", wad_});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, (install_.bin() / "taken").string() + " could not be opened\r\n");

    // A WAD that fails the scan leaves no output file (and no message).
    r = install_.run({"FCHECKWAD", "bad.txt", (dir_ / "missing.wad").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, "");
    EXPECT_FALSE(fs::exists(install_.bin() / "bad.txt"));
}

TEST_F(GfilesTool, ListWad) {
    const fs::path games = dir_ / "Games";
    const std::string pwad = WadBuilder().level("MAP01").build();
    writeFile(games / "zeta.wad", pwad);
    writeFile(games / "Alpha.WAD", pwad);
    writeFile(games / "beta.wad", "pwad, in lower case, counts");
    writeFile(games / "doom2.wad", WadBuilder("IWAD").level("MAP01").build());
    writeFile(games / "short.wad", "PWA");
    writeFile(games / "empty.wad", "");
    writeFile(games / "long.wadx", pwad);
    writeFile(games / "wad", pwad);
    writeFile(games / "Patch.DEH", "not read at all");
    writeFile(games / "gamma.deh", "");
    writeFile(games / "notes.txt", pwad);
    fs::create_directory(games / "folder.wad");
    fs::create_directory(games / "folder.deh");

    const RunResult r = install_.run({"LISTWAD", "../games"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, "5\r\nAlpha.WAD\r\nbeta.wad\r\ngamma.deh\r\nPatch.DEH\r\nzeta.wad\r\n");

    fs::create_directory(dir_ / "empty");
    EXPECT_EQ(install_.run({"LISTWAD", (dir_ / "empty").string()}).output, "0\r\n");
    const RunResult missing = install_.run({"LISTWAD", (dir_ / "nowhere").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.output, "");
    const RunResult file = install_.run({"LISTWAD", wad_});
    EXPECT_EQ(file.exitCode, 1);
    EXPECT_EQ(file.output, "");
}

TEST_F(GfilesTool, ListWadKeepsAtMost4096Names) {
    const fs::path many = dir_ / "many";
    fs::create_directory(many);
    for (int i = 0; i < 4100; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "p%04d.wad", i);
        writeFile(many / name, "PWAD");
    }
    writeFile(many / "extra.deh", "");
    const RunResult r = install_.run({"LISTWAD", many.string()});
    EXPECT_EQ(r.exitCode, 0);
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < r.output.size();) {
        const std::size_t end = r.output.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos);
        lines.push_back(r.output.substr(pos, end - pos));
        pos = end + 2;
    }
    ASSERT_EQ(lines.size(), 4097u);
    EXPECT_EQ(lines[0], "4096");
    EXPECT_EQ(lines[1], "p0000.wad");
    EXPECT_EQ(lines[4096], "p4095.wad");
}

} // namespace
} // namespace krv::test
