// Speed of the game stores' IWAD search: with no store installed (only the
// existence tests of the places a store would use), and with a Steam
// installation of two libraries of 200 games each, Heroic's list of GOG
// games and a Wine prefix holding all five IWADs. Each run starts from an empty registry, as
// the start does; the store folders' list the start builds once more (to
// leave the node caches in them alone) is timed on its own.
//
// Usage: store_iwads_bench [runs]   (default 2000)

#include "launcher/inspect/store_iwads.h"
#include "support/temp_dir.h"
#include "support/wad_builder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using krv::test::TempDir;
using krv::test::writeFile;

// An IWAD directory as large as Doom II's (about 2,900 lumps): the scan
// reads the whole directory.
constexpr int kFillerLumps = 2500;
// Games beside Doom in each Steam library.
constexpr int kOtherGames = 200;

std::string iwad(bool episodes, int count) {
    krv::test::WadBuilder wad("IWAD");
    for (int i = 0; i < kFillerLumps; ++i)
        wad.lump("F" + std::to_string(i), "data");
    for (int n = 1; n <= count; ++n) {
        if (episodes)
            wad.level("E" + std::to_string((n - 1) / 9 + 1) + "M" +
                      std::to_string((n - 1) % 9 + 1));
        else
            wad.level((n < 10 ? "MAP0" : "MAP") + std::to_string(n));
    }
    return wad.build();
}

template <typename Run> double microsPerCall(int times, Run run) {
    const auto start = Clock::now();
    for (int i = 0; i < times; ++i)
        run();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / times;
}

// A lived-in home folder: what a missing store costs depends on how much
// the case-insensitive look-ups have to list.
void fillHome(const fs::path& home) {
    for (int i = 0; i < 100; ++i)
        fs::create_directories(home / (".entry" + std::to_string(i)));
    for (int i = 0; i < 50; ++i) {
        fs::create_directories(home / ".config" / ("program" + std::to_string(i)));
        fs::create_directories(home / ".local/share" / ("program" + std::to_string(i)));
    }
}

void fillStores(const fs::path& home, const fs::path& outside) {
    fillHome(home);
    const std::string maps = iwad(false, 32);
    const fs::path steam = home / ".local/share/Steam";
    const fs::path library = outside / "SteamLibrary";
    writeFile(steam / "steamapps/common/Doom 2/base/DOOM2.WAD", maps);
    for (int i = 0; i < kOtherGames; ++i) {
        fs::create_directories(steam / "steamapps/common" / ("Game " + std::to_string(i)));
        fs::create_directories(library / "steamapps/common" / ("Game " + std::to_string(i)));
    }
    writeFile(library / "steamapps/common/Final Doom/base/TNT.WAD", maps);
    writeFile(steam / "steamapps/libraryfolders.vdf",
              "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + steam.string() +
                  "\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + library.string() + "\"\n\t}\n}\n");
    fs::create_directories(home / ".steam");
    fs::create_directory_symlink(steam, home / ".steam/steam");
    const fs::path gog = outside / "Heroic/Final Doom";
    writeFile(gog / "Plutonia/PLUTONIA.WAD", maps);
    writeFile(home / ".config/heroic/gog_store/installed.json",
              "{\"installed\":[{\"appName\":\"1435848742\",\"install_path\":\"" + gog.string() +
                  "\"}]}");
    const fs::path prefix = home / "Games/doom/drive_c/GOG Games/DOOM";
    writeFile(prefix / "DOOM.WAD", iwad(true, 36));
    writeFile(prefix / "DOOM1.WAD", iwad(true, 9));
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 2000;
    if (runs < 1) {
        std::fprintf(stderr, "usage: %s [runs]\n", argv[0]);
        return 2;
    }

    TempDir empty;
    const std::string nobody = (empty / "home").string();
    fillHome(nobody);
    const double none = microsPerCall(runs, [&] {
        krv::IwadRegistry registry;
        krv::searchStoreIwads(registry, nobody);
    });
    const double noneFolders = microsPerCall(runs, [&] { krv::StoreFolders folders(nobody); });

    TempDir stores;
    const fs::path home = stores / "home";
    fillStores(home, stores.path());
    std::size_t found = 0;
    const double full = microsPerCall(runs / 10 + 1, [&] {
        krv::IwadRegistry registry;
        krv::searchStoreIwads(registry, home.string());
        found = registry.StoredFiles.size();
    });
    const double fullFolders =
        microsPerCall(runs / 10 + 1, [&] { krv::StoreFolders folders(home.string()); });
    const double steam = microsPerCall(runs / 10 + 1, [&] { krv::steamLibraries(home.string()); });
    const double gog = microsPerCall(runs / 10 + 1, [&] { krv::gogInstallFolders(home.string()); });
    if (found != 5) {
        std::fprintf(stderr, "expected the five IWADs, found %zu\n", found);
        return 1;
    }

    std::printf("store IWAD search, %d runs\n", runs);
    std::printf("  no store installed (a home of 100 entries, .config and .local/share of 50):\n");
    std::printf("    %8.1f us per search, %8.1f us for the folder list\n", none, noneFolders);
    std::printf("  Steam (2 libraries of %d games), Heroic, Wine prefix, 5 IWADs of %d lumps:\n",
                kOtherGames + 1, kFillerLumps + 330);
    std::printf("    %8.1f us per search, %8.1f us for the folder list\n", full, fullFolders);
    std::printf("    of which %.1f us for the Steam libraries, %.1f us for the GOG installs\n",
                steam, gog);
    return 0;
}
