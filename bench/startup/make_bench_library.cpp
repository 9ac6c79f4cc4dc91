// Fills a benchmark installation: `games` installed games of one small WAD
// each, a game "Big Game" of `wads` WADs, a zip "Tiny.zip" of `zipWads` tiny
// WADs, and a "config.krv" that remembers Big Game (view "installed"), the
// first of the games ("first", view "installed") or the zip (view "zip
// library").
// Usage: make_bench_library ROOT GAMES WADS ZIPWADS installed|first|zip|none
#include "launcher/startup/settings.h"
#include "support/temp_dir.h"
#include "support/wad_builder.h"
#include "support/zip_builder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using krv::test::writeFile;

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s ROOT GAMES WADS ZIPWADS installed|first|zip|none\n",
                     argv[0]);
        return 2;
    }
    const fs::path root = argv[1];
    const int games = std::atoi(argv[2]);
    const int wads = std::atoi(argv[3]);
    const int zipWads = std::atoi(argv[4]);
    const std::string remembered = argv[5];

    const std::string small = krv::test::WadBuilder().mapLevels(1).build();
    for (int g = 0; g < games; ++g)
        writeFile(root / ("KRVGames/Game " + std::to_string(g) + "/Pwads/maps.wad"), small);
    for (int w = 0; w < wads; ++w)
        writeFile(root / ("KRVGames/Big Game/Pwads/part" + std::to_string(w) + ".wad"),
                  krv::test::WadBuilder().mapLevels(1 + w % 32).build());
    if (zipWads > 0) {
        krv::test::ZipBuilder zip;
        for (int w = 0; w < zipWads; ++w)
            zip.file("tiny" + std::to_string(w) + ".wad",
                     krv::test::WadBuilder().mapLevels(1 + w % 9).build());
        zip.write(root / "KRVArchives/Tiny.zip");
    }

    krv::Settings s;
    s.tipOfTheDay = false;
    s.advancedOptions = true; // the zip library view needs the advanced layout
    if (remembered == "installed") {
        s.gamesListView = 0;
        s.rememberedNormalEntry = "BIG GAME";
    } else if (remembered == "first") {
        s.gamesListView = 0;
        s.rememberedNormalEntry = "GAME 0";
    } else if (remembered == "zip") {
        s.gamesListView = 2;
        s.lastArchive = "Tiny";
    } else {
        s.gamesListView = 0;
    }
    std::string config;
    for (const auto& line : krv::settingsLines(s, false))
        config += line + "\r\n";
    writeFile(root / "KRVLaunch/config.krv", config);
    return 0;
}
