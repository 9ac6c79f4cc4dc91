// Speed of the game files of a folder of 40 WADs: choosing the main WAD with
// the real inspection tool (run hidden, as the launcher runs it), against the
// tool runs alone and against the choice with a checker that runs nothing;
// and listing a folder of 40 files through the game file filter.
//
// Usage: library_game_files_bench [choices [listings]]
//   choices: main-WAD choices timed (default 10); listings: folder listings
//   timed (default 2000).

#include "launcher/inspect/game_files.h"
#include "launcher/inspect/map_list.h"
#include "launcher/platform/scripted_platform.h"
#include "support/wad_builder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kWads = 40;
constexpr int kFillerLumps = 500; // graphics and sounds around the maps

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// WAD n holds n % 32 + 1 maps after its filler lumps.
std::string benchWad(int n) {
    krv::test::WadBuilder wad;
    for (int i = 0; i < kFillerLumps; ++i)
        wad.lump("F" + std::to_string(i), "data");
    for (int m = 1; m <= n % 32 + 1; ++m)
        wad.level((m < 10 ? "MAP0" : "MAP") + std::to_string(m));
    return wad.build();
}

// Mean milliseconds per call of `run` over `times` calls.
template <typename Run> double millisPerCall(int times, Run run) {
    const auto start = Clock::now();
    for (int i = 0; i < times; ++i)
        run();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / times;
}

struct Root {
    fs::path path;
    Root() {
        char tmpl[] = "/tmp/krv-game-files-bench-XXXXXX";
        if (!::mkdtemp(tmpl)) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        path = tmpl;
        fs::create_directories(path / "Bin");
        // The tool answers only beside an engine.
        std::ofstream(path / "Bin/Korvath.exe") << "engine";
        for (const char* module : {"KRVgFiles.exe", "LZSS.dll"})
            fs::copy_file(fs::path(KRV_BUILT_BIN) / module, path / "Bin" / module);
    }
    ~Root() { fs::remove_all(path); }
};

} // namespace

int main(int argc, char** argv) {
    const int choices = argc > 1 ? std::atoi(argv[1]) : 10;
    const int listings = argc > 2 ? std::atoi(argv[2]) : 2000;
    if (choices < 1 || listings < 1) {
        std::fprintf(stderr, "usage: %s [choices [listings]]\n", argv[0]);
        return 2;
    }

    Root root;
    const fs::path games = root.path / "KRVGames/Bench/Pwads";
    std::vector<std::string> wadPaths;
    for (int n = 0; n < kWads; ++n) {
        const fs::path wad = games / ("map pack " + std::to_string(n) + ".wad");
        writeFile(wad, benchWad(n));
        wadPaths.push_back(wad.string());
    }
    const std::string folder = games.string() + "/";

    krv::ScriptedPlatform platform; // hidden runs really run
    const auto paths = krv::InstallPaths::fromRoot(root.path.string());
    const krv::WadBatchChecker tool = krv::toolWadChecker(platform, paths);

    std::string chosen;
    const double choose = millisPerCall(
        choices, [&] { chosen = krv::chooseMainWad(folder, tool).value_or("(none)"); });
    const double toolOnly = millisPerCall(choices, [&] {
        for (const std::string& wad : wadPaths)
            krv::runInspectionTool(platform, paths, "CHECKWAD", wad);
    });
    const double noTool = millisPerCall(
        choices * 100, [&] { krv::chooseMainWad(folder, [](const std::string&) { return 100; }); });
    // WAD 31 is the only one with 32 maps.
    if (fs::path(chosen).filename() != "map pack 31.wad") {
        std::fprintf(stderr, "wrong main WAD: %s\n", chosen.c_str());
        return 1;
    }
    std::printf("main WAD of %d WADs (%d maps each at most, %d filler lumps): %s\n", kWads, 32,
                kFillerLumps, fs::path(chosen).filename().c_str());
    std::printf("  choice with the real tool:     %8.2f ms per choice, %6.2f ms per WAD\n", choose,
                choose / kWads);
    std::printf("  the %d tool runs alone:        %8.2f ms\n", kWads, toolOnly);
    std::printf("  choice without tool runs:      %8.3f ms (listing, ranking, sorting)\n", noTool);

    // A typical game folder of 40 files: WADs, texts, patches, lumps and
    // files the filter hides.
    const fs::path mixed = root.path / "KRVGames/Mixed/Pwads";
    const char* endings[] = {".wad", ".txt", ".deh", ".zip", ".ded", ".wad", ".exe", ".wad"};
    for (int n = 0; n < kWads; ++n)
        writeFile(mixed / ("file " + std::to_string(n) + endings[n % 8]), "x");
    std::size_t shown = 0;
    const double list = millisPerCall(
        listings, [&] { shown = krv::listGameFiles(mixed.string() + "/", false).size(); });
    std::printf("listing %d files through the filter: %8.1f us per listing (%zu shown)\n", kWads,
                list * 1000.0, shown);
    return 0;
}
