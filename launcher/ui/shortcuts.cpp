#include "launcher/ui/shortcuts.h"

#include "launcher/inspect/iwad_registry.h"
#include "launcher/library/library_layout.h"

#include "common/ci_path.h"
#include "common/strings.h"

namespace krv {

namespace {

bool startsWith(const std::string& text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           iequals(std::string_view(text).substr(0, prefix.size()), prefix);
}

std::string capitalised(const std::string& text) {
    std::string out = toLower(text);
    if (!out.empty())
        out[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(out[0])));
    return out;
}

} // namespace

std::string shortcutLabelName(const std::string& entry, bool commercial, bool customFont) {
    if (!commercial)
        return entry.size() > 30 ? entry.substr(0, 27) + " ..." : entry;
    struct Fixed {
        const char* prefix;
        const char* name;
    };
    static const Fixed names[] = {{"The P", "Plutonia Experiment"},
                                  {"TNT", "TNT Evilution"},
                                  {"Doom/", "Doom"},
                                  {"Doom II", "Doom II"},
                                  {"Share", "Shareware Doom"}};
    for (const Fixed& fixed : names)
        if (startsWith(entry, fixed.prefix))
            return customFont ? fixed.name : toUpper(fixed.name);
    return entry;
}

std::string shortcutName(const std::string& entry, bool autoLoadingGame,
                         const std::string& wadFile) {
    static const std::pair<const char*, const char*> iwads[] = {
        {"DOOM/ULTIMATE DOOM", "Doom"},
        {"THE PLUTONIA EXPERIMENT", "Plutonia"},
        {"TNT - FINAL DOOM", "Tnt"},
        {"DOOM II", "Doom2"}};
    for (const auto& [title, name] : iwads)
        if (iequals(entry, title))
            return name;
    if (autoLoadingGame && !wadFile.empty())
        return entry + " - " + baseNameOfPath(wadFile);
    return entry;
}

std::string shortcutFileName(const std::string& name, bool mapInName, const std::string& map) {
    std::string mapPart = mapInName && !map.empty() ? " - " + map : std::string();
    if (startsWith(mapPart, " - M"))
        mapPart = " - M" + toLower(mapPart.substr(4));
    return capitalised(name) + mapPart;
}

std::string launcherIcon(const InstallPaths& paths) {
    const std::string icon =
        paths.launcherFolder + ci::nativeSeparators("Desktop/korvath-launcher-256.png");
    const auto installed = ci::resolve(icon);
    return installed ? installed->string() : icon;
}

void createShortcuts(Platform& platform, const InstallPaths& paths, const std::string& arguments,
                     const ShortcutRequest& request) {
    const auto engine = ci::resolve(paths.root + "/Bin/Korvath.exe");
    const std::string target = engine ? engine->string() : paths.root + "/Bin/Korvath.exe";
    // The engine file is no image a desktop can show; the launcher's icon is.
    const std::string icon = launcherIcon(paths);
    const std::string fileName = shortcutFileName(request.name, request.mapInName, request.map);
    // A name from the disk or a list ends up as the shortcut's file name and
    // in its command; one that no shortcut can carry safely is refused.
    if (!isUsableName(fileName) || hasControlByte(arguments) || hasControlByte(target)) {
        platform.showMessage(
            "  The shortcut cannot be created: its name or command line holds  \r\n"
            "  characters a shortcut cannot carry.     ",
            msg::kExclamation, " Shortcut error");
        return;
    }
    const auto writeInto = [&](SpecialFolder which) {
        const std::string base = platform.specialFolder(which);
        if (base.empty())
            return;
        const std::string folder = base + "/Korvath Shortcuts";
        ci::createFolder(folder);
        // The engine finds its files relative to the installation root.
        platform.writeShortcut({folder + "/" + fileName, target, arguments, paths.root, 0, icon});
    };
    if (request.desktop)
        writeInto(SpecialFolder::Desktop);
    if (request.startMenu)
        writeInto(SpecialFolder::StartMenuPrograms);
}

} // namespace krv
