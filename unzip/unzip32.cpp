// The two exported entry points of unzip32.dll.

#include "unzip/unzip32.h"
#include "unzip/extraction.h"

#include <cstdio>
#include <cstring>
#include <zip.h>

namespace {

constexpr std::uint8_t kMajor = 1;
constexpr std::uint8_t kMinor = 0;
constexpr std::uint8_t kPatch = 0;

std::vector<std::string> nameList(std::int32_t count, char** names) {
    std::vector<std::string> list;
    for (std::int32_t i = 0; names != nullptr && i < count; ++i)
        if (names[i] != nullptr)
            list.emplace_back(names[i]);
    return list;
}

} // namespace

extern "C" {

KRV_UNZIP_API std::int32_t UzpVersion2(UzpVersion* version) {
    if (version == nullptr || version->size != sizeof(UzpVersion))
        return 1;
    *version = UzpVersion{};
    version->size = sizeof(UzpVersion);
    version->major = kMajor;
    version->minor = kMinor;
    version->patch = kPatch;
    unsigned zipMajor = 0, zipMinor = 0, zipPatch = 0;
    std::sscanf(zip_libzip_version(), "%u.%u.%u", &zipMajor, &zipMinor, &zipPatch);
    version->libzipMajor = static_cast<std::uint8_t>(zipMajor);
    version->libzipMinor = static_cast<std::uint8_t>(zipMinor);
    version->libzipPatch = static_cast<std::uint8_t>(zipPatch);
    std::snprintf(version->date, sizeof version->date, "%s", __DATE__);
    std::snprintf(version->name, sizeof version->name, "unzip32 (libzip %s)", zip_libzip_version());
    return 0;
}

KRV_UNZIP_API std::int32_t Wiz_SingleEntryUnzip(std::int32_t includeCount, char** includeNames,
                                                std::int32_t excludeCount, char** excludeNames,
                                                const UzpOptions* options,
                                                UzpCallbacks* callbacks) {
    if (options == nullptr || callbacks == nullptr)
        return kUzpBadRequest;
    try {
        const krv::unzip::Request request{*options, nameList(includeCount, includeNames),
                                          nameList(excludeCount, excludeNames)};
        return krv::unzip::run(request, *callbacks);
    } catch (...) {
        return kUzpBadRequest;
    }
}

} // extern "C"
