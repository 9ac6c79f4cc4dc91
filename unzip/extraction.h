#pragma once
// The extraction run behind Wiz_SingleEntryUnzip, callable with other limits
// (the tests use small ones instead of writing gigabytes).

#include "unzip/unzip32.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace krv::unzip {

// What one run may take from an archive. A hostile archive can declare
// millions of members or gigabytes of data in a few kilobytes.
struct Limits {
    std::uint64_t maxMembers = 65536;         // entries in the archive
    std::uint64_t maxTotalBytes = 4ULL << 30; // declared sizes of the members read
    // Free space an extraction leaves on the target's file system, besides a
    // block for each file it writes.
    std::uint64_t freeSpaceReserve = 1ULL << 20;
};

struct Request {
    const UzpOptions& options;
    std::vector<std::string> includeNames; // shell wildcards; empty takes every member
    std::vector<std::string> excludeNames;
};

// Lists, tests or extracts as `request` says and returns one of the kUzp
// results. Never throws.
std::int32_t run(const Request& request, UzpCallbacks& callbacks, const Limits& limits = {});

// The name a member is written under: the last component of its stored name
// (either separator ends a component). Empty when that is not a usable name
// (empty, "." or "..", "...wad", a quote or a control byte in it).
std::string flattenedName(std::string_view memberName);

} // namespace krv::unzip
