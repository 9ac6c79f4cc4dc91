// Speed of the WAD directory scan: a generated WAD of 200,000 lumps with 99
// levels and GL nodes, and Freedoom: Phase 2 when Debian's freedoom package
// is installed. Prints the time per directory entry; callgrind.sh beside
// this file counts the machine instructions per entry.
//
// Usage: gfiles_scan_bench [passes [generated|freedoom2]]
//   passes: scans per file (default 20; callgrind.sh uses 1); the second
//   argument picks one of the two files (default both).

#include "gfiles/file_source.h"
#include "gfiles/wad_scan.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using krv::gfiles::WadScan;

constexpr int kLumps = 200000;
constexpr int kLevels = 99;

void putLe32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// Filler lumps first (as the graphics of a real WAD), then the 99 maps with
// their GL nodes. Lump data is one shared GL_VERT block; every other entry
// points at it too, as the scan reads no lump data besides it.
std::string generateWad() {
    std::string directory;
    int entries = 0;
    const auto entry = [&](const std::string& name) {
        putLe32(directory, 12);
        putLe32(directory, 8);
        std::string n = name.substr(0, 8);
        n.resize(8, '\0');
        directory += n;
        ++entries;
    };
    const char* mapLumps[] = {"THINGS",   "LINEDEFS", "SIDEDEFS", "VERTEXES", "SEGS",
                              "SSECTORS", "NODES",    "SECTORS",  "REJECT",   "BLOCKMAP"};
    const char* glLumps[] = {"GL_VERT", "GL_SEGS", "GL_SSECT", "GL_NODES"};
    const int perLevel = 1 + 10 + 1 + 4;
    const int filler = kLumps - kLevels * perLevel;
    for (int i = 0; i < filler; ++i) {
        char name[9];
        std::snprintf(name, sizeof name, "S%07d", i);
        entry(name);
    }
    for (int n = 1; n <= kLevels; ++n) {
        char marker[9];
        std::snprintf(marker, sizeof marker, "MAP%02d", n);
        entry(marker);
        for (const char* l : mapLumps)
            entry(l);
        entry(std::string("GL_") + marker);
        for (const char* l : glLumps)
            entry(l);
    }
    std::string wad = "PWAD";
    putLe32(wad, static_cast<std::uint32_t>(entries));
    putLe32(wad, 12 + 8);
    wad += "gNd5";
    wad += std::string(4, '\0');
    return wad + directory;
}

void run(const char* label, const fs::path& file, int passes, int expectLevels) {
    WadScan scan;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < passes; ++i) {
        const int fd = krv::gfiles::openRegularFile(file);
        if (fd < 0) {
            std::fprintf(stderr, "%s: can't open %s\n", label, file.c_str());
            std::exit(1);
        }
        krv::gfiles::FileWadSource source(fd);
        scan = krv::gfiles::scanWad(source);
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const int fd = krv::gfiles::openRegularFile(file);
    krv::gfiles::FileWadSource source(fd);
    std::uint32_t entries = 0;
    unsigned char header[12];
    if (source.readAt(0, header, 12) == 12)
        entries = header[4] | (header[5] << 8) | (header[6] << 16) | (header[7] << 24);
    if (!scan.ok || scan.levelCount != expectLevels) {
        std::fprintf(stderr, "%s: unexpected result (%d levels)\n", label, scan.levelCount);
        std::exit(1);
    }
    const double ns = std::chrono::duration<double, std::nano>(elapsed).count() / passes;
    std::printf("%-10s %7u entries  %2d levels  GL %d  %8.1f us per scan  %6.2f ns per entry\n",
                label, entries, scan.levelCount, scan.glCount, ns / 1000, ns / entries);
}

} // namespace

int main(int argc, char** argv) {
    const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const std::string only = argc > 2 ? argv[2] : "";
    if (only.empty() || only == "generated") {
        const fs::path generated =
            fs::temp_directory_path() / ("krv_bench_" + std::to_string(::getpid()) + ".wad");
        {
            const std::string wad = generateWad();
            std::ofstream(generated, std::ios::binary)
                .write(wad.data(), static_cast<std::streamsize>(wad.size()));
        }
        run("generated", generated, passes, kLevels);
        fs::remove(generated);
    }
    if (only.empty() || only == "freedoom2") {
        const fs::path freedoom2 = "/usr/share/games/doom/freedoom2.wad";
        if (fs::exists(freedoom2))
            run("freedoom2", freedoom2, passes, 32);
        else
            std::printf("freedoom2  skipped: %s is missing (Debian package freedoom)\n",
                        freedoom2.c_str());
    }
    return 0;
}
