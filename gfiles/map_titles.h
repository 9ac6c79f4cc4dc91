#pragma once
// Map titles named inside a WAD: the "levelname" of UMAPINFO, the title of a
// MAPINFO or ZMAPINFO map definition, or the automap names of a DEHACKED
// lump's [STRINGS] section. Only those lumps are read, each up to a size
// cap; nothing else of the WAD is loaded.

#include "gfiles/wad_scan.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace krv::gfiles {

// Map name ("MAP01", "E1M1", upper case) to its title.
using MapTitles = std::map<std::string, std::string>;

// The titles each lump kind names, parsed from its text.
MapTitles parseUmapinfo(std::string_view text);
MapTitles parseMapinfo(std::string_view text);
MapTitles parseDehackedStrings(std::string_view text);

// The titles of the WAD's maps, UMAPINFO first, then ZMAPINFO and MAPINFO,
// then DEHACKED: a map takes the first title found for it. Titles keep
// printable characters only, trimmed and cut to a sensible length. Empty
// when the file is not a WAD.
MapTitles readMapTitles(WadSource& source);

// The tool's output for a scanned WAD: "<map> <title>" for each level the
// scan lists (in its order) that has a title.
std::vector<std::string> mapTitleLines(const WadScan& scan, const MapTitles& titles);

} // namespace krv::gfiles
