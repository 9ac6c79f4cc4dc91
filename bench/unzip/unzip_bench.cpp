// Speed of extracting a generated archive of about 200 MB (many members,
// half compressible text-like data, half random bytes) through the launcher's
// loader and the built unzip32.dll, against Debian's `unzip -o -j` on the
// same archive in the same run. Prints the best and the median time of each.
//
// Usage: unzip_extract_bench [passes [work folder]]
//   passes: extractions per program (default 5); the work folder (default a
//   new one under /tmp) keeps the generated archive between runs.

#include "launcher/library/unzip_module.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>
#include <zip.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kTargetBytes = 200u << 20;

// Words drawn at random: compresses about three to one, like text files and
// maps do.
std::string compressible(std::mt19937& random, std::size_t size) {
    static const char* words[] = {"THINGS ",     "LINEDEFS ",        "SIDEDEFS ", "sector ",
                                  "thing 3004 ", "x=1024 ",          "y=-512 ",   "angle=90 ",
                                  "\r\n",        "texture STARTAN3 "};
    std::string out;
    out.reserve(size + 32);
    while (out.size() < size)
        out += words[random() % 10];
    out.resize(size);
    return out;
}

std::string incompressible(std::mt19937& random, std::size_t size) {
    std::string out(size, '\0');
    for (auto& c : out)
        c = static_cast<char>(random());
    return out;
}

// Members of 16 KiB to 4 MiB; the data lives until zip_close.
void generate(const fs::path& archive) {
    std::mt19937 random(20261207);
    std::vector<std::string> data;
    std::size_t total = 0;
    while (total < kTargetBytes) {
        const std::size_t size = std::size_t{16} << 10 << (random() % 9);
        data.push_back(data.size() % 2 ? incompressible(random, size) : compressible(random, size));
        total += size;
    }
    int error = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (std::size_t i = 0; zip != nullptr && i < data.size(); ++i) {
        const std::string name = "pack/folder" + std::to_string(i % 7) + "/member" +
                                 std::to_string(i) + (i % 2 ? ".wad" : ".txt");
        zip_source_t* source = zip_source_buffer(zip, data[i].data(), data[i].size(), 0);
        const zip_int64_t index = zip_file_add(zip, name.c_str(), source, 0);
        if (i % 2) // random data is stored, as archivers do when deflate gains nothing
            zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    if (zip == nullptr || zip_close(zip) != 0) {
        std::fprintf(stderr, "cannot write %s\n", archive.c_str());
        std::exit(1);
    }
    std::printf("generated %zu members, %zu bytes\n", data.size(), total);
}

struct Times {
    std::vector<double> seconds;
    double best() const { return *std::min_element(seconds.begin(), seconds.end()); }
    double median() {
        std::sort(seconds.begin(), seconds.end());
        return seconds[seconds.size() / 2];
    }
};

template <typename Extract> void timeOnce(Times& times, const fs::path& out, Extract extract) {
    fs::remove_all(out);
    fs::create_directories(out);
    const auto start = Clock::now();
    const bool ok = extract();
    times.seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    if (!ok) {
        std::fprintf(stderr, "extraction failed\n");
        std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv) {
    const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    fs::path work = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "krv-unzip-bench";
    fs::create_directories(work / "root/Bin");
    fs::copy_file(KRV_UNZIP_DLL, work / "root/Bin/unzip32.dll",
                  fs::copy_options::overwrite_existing);
    const fs::path archive = work / "bench.zip";
    if (!fs::exists(archive))
        generate(archive);
    std::printf("archive %s: %ju bytes\n", archive.c_str(),
                static_cast<std::uintmax_t>(fs::file_size(archive)));

    const fs::path out = work / "out";
    const std::string command =
        "unzip -o -j -qq '" + archive.string() + "' -d '" + out.string() + "'";
    Times ours, theirs;
    for (int pass = 0; pass < passes; ++pass) {
        timeOnce(ours, out, [&] {
            return krv::ExtractZip((work / "root").string(), archive.string(), out.string(), {}).ok;
        });
        timeOnce(theirs, out, [&] { return std::system(command.c_str()) == 0; });
    }
    std::printf("unzip32.dll      best %.3f s  median %.3f s\n", ours.best(), ours.median());
    std::printf("unzip -o -j      best %.3f s  median %.3f s\n", theirs.best(), theirs.median());
    std::printf("ratio (median)   %.2f\n", ours.median() / theirs.median());
    fs::remove_all(out);
    return 0;
}
