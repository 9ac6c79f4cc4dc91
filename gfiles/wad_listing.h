#pragma once
// The folder listing of the inspection tool: the PWADs and DeHackEd patches
// of one folder.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace krv::gfiles {

inline constexpr std::size_t kMaxListedNames = 4096;

// File names (without folder) of the PWADs (".wad" files whose first four
// bytes are "PWAD", both ignoring case) and the ".deh" files of `folder`, at
// most `limit` of them, sorted ignoring case. The WADs are gathered first,
// then the patches, each in name order, so the names kept when there are
// more than `limit` don't depend on the file system's order.
std::vector<std::string> listWadFolder(const std::filesystem::path& folder,
                                       std::size_t limit = kMaxListedNames);

} // namespace krv::gfiles
