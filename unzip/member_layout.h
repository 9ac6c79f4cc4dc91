#pragma once
// The layout of an archive's members as its headers declare it. A hostile
// archive can point many central entries at one local member, or let one
// member's data hold another's header, so that a few kilobytes extract to
// gigabytes; and central and local headers that disagree let two readers see
// two archives. Such archives are refused before anything is extracted.

#include <cstdint>
#include <optional>
#include <string>

namespace krv::unzip {

// Why the archive at `path` is unsound, or nothing when every member has a
// local header that agrees with its central entry and the members' header
// and data ranges neither overlap nor reach into the central directory.
// `memberCount` is the number of members the zip library found; a central
// directory that holds another number is unsound too.
std::optional<std::string> memberLayoutFault(const std::string& path, std::uint64_t memberCount);

} // namespace krv::unzip
