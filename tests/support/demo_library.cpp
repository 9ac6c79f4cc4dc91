#include "support/demo_library.h"

#include "support/savegame_builder.h"
#include "support/temp_dir.h"
#include "support/wad_builder.h"
#include "support/zip_builder.h"

#include <string>

namespace fs = std::filesystem;

namespace krv::test {

namespace {

// A PWAD with `count` levels named by `name(i)`, 1-based.
template <typename Name> std::string pwad(int count, Name name) {
    WadBuilder wad;
    for (int i = 1; i <= count; ++i)
        wad.level(name(i));
    return wad.build();
}

std::string mapLevels(int count) {
    return WadBuilder().mapLevels(count).build();
}

std::string episodeLevels(int episode, int count) {
    return pwad(count, [episode](int i) {
        return "E" + std::to_string(episode) + "M" + std::to_string(i);
    });
}

void saves(const fs::path& folder, std::initializer_list<std::pair<int, const char*>> slots) {
    for (const auto& [slot, description] : slots)
        writeFile(folder / ("KorvathSav" + std::to_string(slot) + ".krvsg"),
                  packedSaveGame(description));
}

} // namespace

void writeDemoLibrary(const fs::path& root) {
    const fs::path games = root / "KRVGames";

    // A manual-loading game of one wad with a patch and a readme.
    // Its maps are named by a UMAPINFO lump, as the map list shows.
    writeFile(games / "Castle Siege/Pwads/castle.wad",
              WadBuilder()
                  .mapLevels(6)
                  .lump("UMAPINFO", "map MAP01 { levelname = \"Drawbridge\" }\n"
                                    "map MAP02 { levelname = \"Outer Bailey\" }\n"
                                    "map MAP03 { levelname = \"The Great Hall\" }\n"
                                    "map MAP04 { levelname = \"Dungeons\" }\n"
                                    "map MAP05 { levelname = \"Keep, West Wing\" }\n"
                                    "map MAP06 { levelname = \"The Siege Engine\" }\n")
                  .build());
    writeFile(games / "Castle Siege/Pwads/castle.deh", "Patch File for DeHackEd v3.0\n");
    writeFile(games / "Castle Siege/Pwads/readme.txt", "Castle Siege: six maps.\n");
    saves(root / "UserSG/Castle Siege/savegame", {{0, "Castle gate"}, {3, "Keep, west wing"}});

    // A manual-loading game of several wads: the one with most levels leads.
    writeFile(games / "Twin Towers/Pwads/towers_intro.wad", mapLevels(1));
    writeFile(games / "Twin Towers/Pwads/towers.wad", mapLevels(12));
    writeFile(games / "Twin Towers/Pwads/towers_music.wad",
              WadBuilder().lump("D_RUNNIN", "MUS").build());

    // An auto-loading game (a user directory the engine loads itself).
    writeFile(games / "Hell Gate/Gwads/hellgate.wad", episodeLevels(1, 9));
    writeFile(games / "Hell Gate/Gwads/hellgate_bonus.wad", episodeLevels(2, 2));

    // Saved games of Doom II.
    saves(root / "UserSG/doom2/savegame", {{1, "Entryway start"}, {5, "Downtown, nearly"}});

    // The zip library.
    ZipBuilder()
        .file("speed/speedmaps.wad", mapLevels(3))
        .file("speed/speedmaps.txt", "Three short maps.\n")
        .write(root / "KRVArchives/SpeedMaps.zip");
    ZipBuilder().file("episode.wad", episodeLevels(3, 4)).write(root / "KRVArchives/Episode3.zip");
}

} // namespace krv::test
