// Speed of the launcher's runs of the inspection tool, each against its
// baseline measured in the same run:
//   - the tool's start (CHECKWAD of an empty WAD) against a C program that
//     only exits, both run hidden as the launcher runs them;
//   - choosing the main WAD of a 40-WAD game with the real tool against 40
//     hidden runs of /bin/true.
// Usage: tool_runs_bench [repeats]     (default 5; the best of the repeats)
//        tool_runs_bench spawns N      (ms for N hidden runs of /bin/true)

#include "launcher/inspect/game_files.h"
#include "launcher/inspect/map_list.h"
#include "launcher/platform/process.h"
#include "launcher/platform/scripted_platform.h"
#include "support/wad_builder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kWads = 40;

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// Best of `repeats` runs of `run`, in milliseconds.
template <typename Run> double bestMillis(int repeats, Run run) {
    double best = 1e300;
    for (int r = 0; r < repeats; ++r) {
        const auto start = std::chrono::steady_clock::now();
        run();
        best = std::min(best, std::chrono::duration<double, std::milli>(
                                  std::chrono::steady_clock::now() - start)
                                  .count());
    }
    return best;
}

void spawnTrue(int times) {
    for (int i = 0; i < times; ++i)
        krv::runCaptured({"/bin/true"}, "/");
}

struct Root {
    fs::path path;
    Root() {
        char tmpl[] = "/tmp/krv-tool-runs-bench-XXXXXX";
        if (!::mkdtemp(tmpl)) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        path = tmpl;
        fs::create_directories(path / "Bin");
        std::ofstream(path / "Bin/Korvath.exe") << "engine"; // the tool answers beside an engine
        for (const char* module : {"KRVgFiles.exe", "LZSS.dll"})
            fs::copy_file(fs::path(KRV_BUILT_BIN) / module, path / "Bin" / module);
    }
    ~Root() { fs::remove_all(path); }
};

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "spawns") == 0) {
        const int n = std::max(1, std::atoi(argv[2]));
        std::printf("%.1f\n", bestMillis(1, [&] { spawnTrue(n); }));
        return 0;
    }
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    Root root;
    const auto paths = krv::InstallPaths::fromRoot(root.path.string());
    const fs::path empty = root.path / "empty.wad";
    writeFile(empty, krv::test::WadBuilder().build());
    const fs::path games = root.path / "KRVGames/Bench/Pwads";
    for (int n = 0; n < kWads; ++n)
        writeFile(games / ("part" + std::to_string(n) + ".wad"),
                  krv::test::WadBuilder().mapLevels(n % 32 + 1).build());

    krv::ScriptedPlatform platform; // hidden runs really run
    constexpr int kStarts = 100;
    const std::string bin = root.path.string() + "/Bin";
    const double tool = bestMillis(repeats, [&] {
        for (int i = 0; i < kStarts; ++i)
            krv::runCaptured({bin + "/KRVgFiles.exe", "CHECKWAD", empty.string()}, bin);
    });
    const double exitOnly = bestMillis(repeats, [&] {
        for (int i = 0; i < kStarts; ++i)
            krv::runCaptured({KRV_EXIT_ONLY}, bin);
    });
    std::printf("tool start (CHECKWAD, empty WAD): %7.3f ms, exit-only C program %7.3f ms: %.2fx\n",
                tool / kStarts, exitOnly / kStarts, tool / exitOnly);

    std::string chosen;
    const krv::WadBatchChecker checker = krv::toolWadChecker(platform, paths);
    const double choose = bestMillis(repeats, [&] {
        chosen = krv::chooseMainWad(games.string() + "/", checker).value_or("(none)");
    });
    const double spawns = bestMillis(repeats, [&] { spawnTrue(kWads); });
    if (fs::path(chosen).filename() != "part31.wad") {
        std::fprintf(stderr, "wrong main WAD: %s\n", chosen.c_str());
        return 1;
    }
    std::printf(
        "select a %d-WAD game: %8.2f ms, %d runs of /bin/true %8.2f ms: %.2fx (goal <= 2x)\n",
        kWads, choose, kWads, spawns, choose / spawns);
    return 0;
}
