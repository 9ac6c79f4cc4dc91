#pragma once
// The known-PWAD table "checkpwad.krv": WAD file names in seven sections,
// shipped with the installation. The launch acts on the section that names
// the main WAD (1 needs the TNT IWAD, 2 the Plutonia IWAD, 3 to 7 set launch
// flags).

#include <string>
#include <string_view>

namespace krv {

// "checkpwad.krv" in the launcher's data folder.
std::string knownPwadsFile(const std::string& dataFolder);

// The section of the table text that names `wadFileName` (ignoring case):
// fields are separated by line ends or commas and trimmed of blanks; a field
// beginning with "Check2" to "Check7" (ignoring case) starts that section,
// and fields before the first such marker are in section 1. 0 when no field
// names the file.
int knownPwadSection(std::string_view table, std::string_view wadFileName);

// Reads the table from the data folder at every call and answers the
// section naming the main WAD's file name; 0 when the file is missing.
int lookUpKnownPwad(const std::string& dataFolder, const std::string& mainWad);

} // namespace krv
