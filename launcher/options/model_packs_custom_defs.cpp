#include "launcher/options/model_packs.h"

#include "launcher/inspect/iwad_registry.h"

#include "common/ci_path.h"
#include "common/strings.h"

#include <algorithm>
#include <filesystem>

namespace krv {

namespace {

// The Quilspack's own files: its options load them, a global entry would load
// them twice.
constexpr std::string_view kQuilspackOwnFiles[] = {".ded", "Alternative.ded", "Fullpack.ded",
                                                   "quilspack.wad"};

bool isQuilspackOwnFile(std::string_view fileName) {
    return std::any_of(std::begin(kQuilspackOwnFiles), std::end(kQuilspackOwnFiles),
                       [&](std::string_view own) { return iequals(own, fileName); });
}

// Both folders named the same existing folder, whatever the case or
// separators of either text.
bool sameFolder(const std::string& a, const std::string& b) {
    const auto resolvedA = ci::resolve(a);
    const auto resolvedB = ci::resolve(b);
    if (!resolvedA || !resolvedB)
        return false;
    std::error_code ec;
    return std::filesystem::equivalent(*resolvedA, *resolvedB, ec);
}

std::string withoutExtension(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    return std::string(dot == std::string_view::npos ? fileName : fileName.substr(0, dot));
}

} // namespace

bool ensureCustomDefsFolder(const InstallPaths& paths) {
    return ci::createFolder(paths.customDefsFolder);
}

std::optional<std::string> customDefinitionEntry(const InstallPaths& paths,
                                                 std::string_view chosenPath) {
    const std::string_view fileName = fileNameOfPath(chosenPath);
    if (isQuilspackOwnFile(fileName))
        return std::nullopt;
    if (sameFolder(folderOfPath(chosenPath), paths.customDefsFolder))
        return withoutExtension(fileName);
    return std::string(chosenPath);
}

} // namespace krv
