#include "gfiles/save_headers.h"

#include "common/ci_path.h"

#include <cstring>

namespace krv::gfiles {

std::string slotFileName(int slot) {
    return "KorvathSav" + std::to_string(slot) + ".krvsg";
}

namespace {

std::string readDescription(const LzssModule& lzss, const std::filesystem::path& file) {
    LzssFile* handle = lzss.open(file.c_str(), "rp");
    if (handle == nullptr)
        return {};
    std::string description;
    if (isKnownSaveVersion(lzss.readLong(handle))) {
        // A saved game that ends inside its header leaves the rest of the
        // block zero, so only bytes that were really read can show.
        unsigned char block[kSaveHeaderSize] = {};
        lzss.read(block, static_cast<std::int32_t>(sizeof block), handle);
        const char* text = reinterpret_cast<const char*>(block + kDescriptionOffset);
        description.assign(text, ::strnlen(text, kDescriptionSize));
        // The descriptions are printed one per line; a line break inside one
        // would shift every following slot.
        for (char& c : description)
            if (c == '\r' || c == '\n')
                c = ' ';
    }
    lzss.close(handle);
    return description;
}

} // namespace

SaveDescriptions readSaveDescriptions(const LzssModule& lzss, const std::filesystem::path& folder) {
    SaveDescriptions descriptions;
    for (int slot = 0; slot < kSaveSlots; ++slot) {
        const auto file = ci::resolve(folder / slotFileName(slot));
        if (!file)
            continue;
        descriptions[slot] = readDescription(lzss, *file);
    }
    return descriptions;
}

} // namespace krv::gfiles
