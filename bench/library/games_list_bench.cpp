// Speed of the installed games view on a large generated library, through
// the main window as a player uses it (offscreen): listing 2,000 installed
// games, and selecting a game of 40 WADs, which checks every WAD with the
// real inspection tool. Usage: games_list_bench [repeats]
#include "bench/window_bench.h"
#include "launcher/library/library_layout.h"
#include "support/wad_builder.h"

#include <QApplication>
#include <QListWidget>
#include <cstdio>
#include <cstdlib>

using namespace krv;
using krv::bench::millis;
namespace fs = std::filesystem;

namespace {

std::string wadOf(int levels) {
    krv::test::WadBuilder wad;
    wad.mapLevels(levels);
    for (int i = 0; i < 300; ++i)
        wad.lump("FILLER", "x");
    return wad.build();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    krv::test::InstallRoot root;
    root.installTools();
    const std::string small = wadOf(1);
    for (int g = 0; g < 2000; ++g)
        krv::test::writeFile(root / ("KRVGames/Game " + std::to_string(g) + "/Pwads/maps.wad"),
                             small);
    for (int w = 0; w < 40; ++w)
        krv::test::writeFile(root / ("KRVGames/Big Game/Pwads/part" + std::to_string(w) + ".wad"),
                             wadOf(1 + w % 32));
    bench::BenchWindow window(root, [](const std::string&) { return std::nullopt; });
    MainForm& form = window.form;
    AppState& state = window.state;
    ScriptedPlatform& platform = window.platform;
    const double load = millis([&] { form.load(); });
    std::printf("load with 2,000 installed games: %.1f ms\n", load);

    double list = 1e9, select = 1e9;
    int bigRow = -1;
    for (int r = 0; r < repeats; ++r) {
        list = std::min(
            list, millis([&] { form.library().ShowView(LibraryController::InstalledGames); }));
        for (int i = 0; i < state.session.games.count() && bigRow < 0; ++i)
            if (state.session.games.text(i) == "BIG GAME")
                bigRow = i;
        const std::size_t runsBefore = platform.hiddenRuns.size();
        select = std::min(select, millis([&] {
                              state.session.games.setCurrentRow(bigRow == 0 ? 1 : 0);
                              state.session.games.setCurrentRow(bigRow);
                          }));
        std::printf("  pass %d: %zu tool runs for the selection\n", r + 1,
                    platform.hiddenRuns.size() - runsBefore);
    }
    std::printf("main WAD chosen: %s with %d maps\n",
                state.session.gameFiles.currentRow() >= 0
                    ? state.session.gameFiles.currentText().c_str()
                    : "(none)",
                state.session.maps.count());
    std::printf("installed games view with the remembered 40-WAD game selected, 2,000 games "
                "(best of %d): %.1f ms\n",
                repeats, list);
    double listing = 1e9;
    for (int r = 0; r < repeats; ++r)
        listing = std::min(listing, millis([&] { installedGames(state.paths, {}); }));
    std::printf("  of which listing the library folders: %.1f ms\n", listing);
    double fill = 1e9;
    for (int r = 0; r < repeats; ++r)
        fill = std::min(fill, millis([&] { form.library().FillInstalledGames(); }));
    std::printf("  of which filling the games list: %.1f ms\n", fill);
    std::printf("select a small game, then the 40-WAD game (best of %d): %.1f ms\n", repeats,
                select);
    return 0;
}
