#include "launcher/library/game_operations.h"

#include "launcher/inspect/iwad_registry.h"
#include "launcher/library/game_info.h"

#include "common/ci_path.h"
#include "common/strings.h"

#include <cerrno>
#include <filesystem>

namespace krv {

namespace fs = std::filesystem;

namespace {

std::string gameFolder(const InstallPaths& paths, const std::string& name) {
    return paths.gamesFolder + name;
}

GameChange failure(const std::error_code& error) {
    return error == std::errc::permission_denied || error == std::errc::operation_not_permitted ||
                   error == std::errc::device_or_resource_busy
               ? GameChange::AccessDenied
               : GameChange::Failed;
}

// Moves the files (not folders) of `from` into `to`, replacing what is
// there; a move across file systems copies and deletes.
std::error_code moveFiles(const std::string& from, const std::string& to) {
    std::error_code error;
    const auto source = ci::resolve(from);
    if (!source)
        return error;
    const fs::path target = ci::resolveForWrite(to);
    for (const std::string& name : ci::listFolder(*source)) {
        const fs::path file = *source / name;
        if (!fs::is_regular_file(file, error))
            continue;
        fs::rename(file, target / name, error);
        if (error) {
            fs::copy_file(file, target / name, fs::copy_options::overwrite_existing, error);
            if (!error)
                fs::remove(file, error);
        }
        if (error)
            return error;
    }
    return error;
}

SelectedGame recordsOf(const InstalledGame& game, const std::string& wadBase = {}) {
    return {game.autoLoading ? SelectedKind::AutoLoading : SelectedKind::ManualLoading, game.name,
            wadBase.empty() ? std::string() : wadBase + ".wad"};
}

void removeAutoRecords(const InstallPaths& paths, const std::string& game) {
    const GameInfoStore store(paths);
    ci::removeFile(store.wadRecordPath(game));
    ci::removeFile(store.mapRecordPath({SelectedKind::AutoLoading, game, {}}));
}

} // namespace

std::string wadBaseName(const std::string& wad) {
    std::string name(fileNameOfPath(wad));
    if (iendsWith(name, ".wad"))
        name.resize(name.size() - 4);
    return name;
}

void removeFilesStartingWith(const std::vector<std::string>& folders, const std::string& prefix) {
    if (prefix.empty())
        return;
    for (const std::string& folder : folders)
        for (const std::string& name : ci::listFolder(folder))
            if (name.size() >= prefix.size() && iequals(name.substr(0, prefix.size()), prefix) &&
                ci::isFile(folder + ci::kSep + name))
                ci::removeFile(folder + ci::kSep + name);
}

void removeFolderFiles(const std::string& folder) {
    for (const std::string& name : ci::listFolder(folder))
        if (ci::isFile(folder + ci::kSep + name))
            ci::removeFile(folder + ci::kSep + name);
}

void removeNodeFiles(const InstallPaths& paths, const std::string& base) {
    removeFilesStartingWith({paths.root + "/KRVAnFiles", paths.root + "/gwa"}, base);
}

GameChange uninstallGame(const InstallPaths& paths, const InstalledGame& game) {
    std::error_code error;
    if (const auto folder = ci::resolve(gameFolder(paths, game.name)))
        fs::remove_all(*folder, error);
    if (error)
        return failure(error);
    if (!game.autoLoading && !game.wadBase.empty())
        for (const char* resources : {"/MD2/", "/Data/Custom.hires/", "/Data/Custom.music/"})
            ci::removeTree(paths.root + resources + game.wadBase);
    const GameInfoStore store(paths);
    if (game.autoLoading) {
        removeAutoRecords(paths, game.name);
        if (!game.wadBase.empty())
            ci::removeFile(store.saveRecordPath(recordsOf(game, game.wadBase)));
    } else {
        ci::removeFile(store.mapRecordPath(recordsOf(game)));
        ci::removeFile(store.saveRecordPath(recordsOf(game)));
    }
    removeNodeFiles(paths, game.wadBase);
    return GameChange::Done;
}

GameChange renameGame(const InstallPaths& paths, const InstalledGame& game,
                      const std::string& newName) {
    const auto folder = ci::resolve(gameFolder(paths, game.name));
    if (!folder)
        return GameChange::Failed;
    std::error_code error;
    fs::rename(*folder, folder->parent_path() / newName, error);
    if (error)
        return failure(error);
    const GameInfoStore store(paths);
    if (game.autoLoading) {
        removeAutoRecords(paths, game.name);
        ci::removeTree(store.folder() + "/Save/Gwads/" + game.name);
    } else {
        ci::removeFile(store.mapRecordPath(recordsOf(game)));
        ci::removeFile(store.saveRecordPath(recordsOf(game)));
    }
    removeNodeFiles(paths, game.wadBase);
    return GameChange::Done;
}

GameChange convertToAuto(const InstallPaths& paths, const InstalledGame& game) {
    const std::string folder = gameFolder(paths, game.name);
    if (!game.wadBase.empty())
        ci::removeFile(folder + "/Pwads/" + game.wadBase + ".krvchk");
    ci::createFolder(folder + "/Gwads");
    if (const std::error_code error = moveFiles(folder + "/Pwads", folder + "/Gwads"))
        return failure(error);
    if (!ci::removeTree(folder + "/Pwads"))
        return GameChange::Failed;
    ci::removeFile(GameInfoStore(paths).mapRecordPath(recordsOf(game)));
    return GameChange::Done;
}

GameChange convertToManual(const InstallPaths& paths, const InstalledGame& game) {
    const std::string folder = gameFolder(paths, game.name);
    if (!game.wadBase.empty())
        ci::removeFile(folder + "/Gwads/" + game.wadBase + ".krvchk");
    ci::createFolder(folder + "/Pwads");
    if (const std::error_code error = moveFiles(folder + "/Gwads", folder + "/Pwads"))
        return failure(error);
    if (!ci::removeTree(folder + "/Gwads"))
        return GameChange::Failed;
    removeAutoRecords(paths, game.name);
    return GameChange::Done;
}

GameChange deleteGameFile(const InstallPaths& paths, const InstalledGame& game,
                          const std::string& fileName) {
    const std::string file = gameFolder(paths, game.name) + "/Gwads/" + fileName;
    if (!ci::removeFile(file))
        return GameChange::Failed;
    const std::string base = wadBaseName(fileName);
    ci::removeFile(
        GameInfoStore(paths).saveRecordPath({SelectedKind::AutoLoading, game.name, fileName}));
    removeNodeFiles(paths, base);
    return GameChange::Done;
}

void purgeSaveGames(const InstallPaths& paths) {
    const std::string saves = paths.root + "/UserSG";
    for (const std::string& name : ci::listFolder(saves))
        if (ci::isFolder(saves + ci::kSep + name))
            ci::removeTree(saves + ci::kSep + name);
    // Older installations kept saved games inside the game folders.
    for (const std::string& game : ci::listFolder(paths.gamesFolder))
        if (ci::isFolder(paths.gamesFolder + game + "/savegame"))
            ci::removeTree(paths.gamesFolder + game + "/savegame");
    ci::removeTree(paths.root + "/KRVAnFiles");
    ci::removeTree(GameInfoStore(paths).folder() + "/Save");
}

void purgeNodes(const InstallPaths& paths) {
    for (const char* nodes : {"/gwa", "/KRVAnFiles"})
        removeFolderFiles(paths.root + nodes);
}

} // namespace krv
