#include "launcher/inspect/known_pwads.h"

#include "common/ci_path.h"
#include "common/strings.h"
#include "common/text_file.h"
#include "launcher/inspect/iwad_registry.h"

#include <algorithm>

namespace krv {

namespace {

// The section a marker field starts ("Check2" to "Check7"), or 0 for any
// other field.
int markerSection(std::string_view field) {
    if (field.size() < 6 || !istartsWith(field, "Check"))
        return 0;
    const char digit = field[5];
    return digit >= '2' && digit <= '7' ? digit - '0' : 0;
}

} // namespace

std::string knownPwadsFile(const std::string& dataFolder) {
    return (ci::Path(ci::nativeSeparators(dataFolder)) / "checkpwad.krv").string();
}

int knownPwadSection(std::string_view table, std::string_view wadFileName) {
    // An empty name would match the empty field between two separators.
    if (trim(wadFileName).empty())
        return 0;
    int section = 0;
    std::size_t start = 0;
    while (start <= table.size()) {
        const std::size_t end = std::min(table.find_first_of(",\r\n", start), table.size());
        const std::string_view field = trim(table.substr(start, end - start));
        if (const int marker = markerSection(field))
            section = marker;
        if (iequals(field, wadFileName))
            return section == 0 ? 1 : section;
        start = end + 1;
    }
    return 0;
}

int lookUpKnownPwad(const std::string& dataFolder, const std::string& mainWad) {
    std::string table;
    if (readWholeFile(knownPwadsFile(dataFolder), table, kListFileLimit) != IoStatus::Ok)
        return 0;
    return knownPwadSection(table, fileNameOfPath(mainWad));
}

} // namespace krv
