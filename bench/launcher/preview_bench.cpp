// Speed of the command-line preview: the dry run of the composer that follows
// every change of the selection and the options, for a selected installed
// game of 40 WADs (offscreen, real inspection tool for the selection).
// Usage: preview_bench [repeats]
#include "bench/window_bench.h"
#include "support/temp_dir.h"
#include "support/wad_builder.h"

#include <QApplication>
#include <QListWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace krv;
using krv::bench::millis;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

    krv::test::InstallRoot root;
    root.installTools();
    // The IWAD lies where only the launcher looks, so the line names every
    // WAD of the game.
    krv::test::TempDir iwads;
    krv::test::writeFile(iwads / "Doom2.wad", krv::test::WadBuilder("IWAD").mapLevels(32).build());
    for (int w = 0; w < 40; ++w)
        krv::test::writeFile(root / ("KRVGames/Big Game/Pwads/part" + std::to_string(w) + ".wad"),
                             krv::test::WadBuilder().mapLevels(1 + w % 32).build());
    for (int d = 0; d < 5; ++d)
        krv::test::writeFile(root / ("KRVGames/Big Game/Pwads/fix" + std::to_string(d) + ".deh"),
                             "Patch File for DeHackEd v3.0\n");
    bench::BenchWindow window(root, [&iwads](const std::string& name) {
        return name == "DOOMWADPATH" ? std::optional<std::string>(iwads.path().string())
                                     : std::nullopt;
    });
    MainForm& form = window.form;
    ScriptedPlatform& platform = window.platform;
    form.load();
    std::printf("selected: %s, %d game files, %d maps\n",
                window.state.session.games.currentRow() >= 0
                    ? window.state.session.games.currentText().c_str()
                    : "(none)",
                window.state.session.gameFiles.count(), window.state.session.maps.count());

    const std::size_t runsBefore = platform.hiddenRuns.size();
    std::string line;
    std::vector<double> times;
    for (int r = 0; r < repeats; ++r)
        times.push_back(millis([&] { line = form.launch().previewText(); }));
    std::sort(times.begin(), times.end());
    std::size_t wads = 0;
    for (std::size_t at = line.find(".wad"); at != std::string::npos;
         at = line.find(".wad", at + 1))
        ++wads;
    std::printf("preview: %zu characters naming %zu wads: %.60s...\n", line.size(), wads,
                line.c_str());
    std::printf("tool runs during the dry runs: %zu\n", platform.hiddenRuns.size() - runsBefore);
    std::printf("dry run of a 40-WAD game (%d runs): median %.3f ms, best %.3f ms, worst %.3f ms\n",
                repeats, times[times.size() / 2], times.front(), times.back());
    return 0;
}
