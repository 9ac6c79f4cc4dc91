#include "launcher/library/game_operations.h"

#include "launcher/inspect/iwad_registry.h"
#include "launcher/library/game_info.h"

#include "common/ci_path.h"
#include "common/safe_names.h"
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

SelectedGame recordsOf(const InstalledGame& game, const std::string& wadBase = {}) {
    return {game.autoLoading ? SelectedKind::AutoLoading : SelectedKind::ManualLoading, game.name,
            wadBase.empty() ? std::string() : wadBase + ".wad"};
}

// A record file of the games library, removed only inside GameInfo.
bool removeRecord(const GameInfoStore& store, const std::string& record) {
    return record.empty() || ci::removeFileInside(store.folder(), record);
}

void removeAutoRecords(const InstallPaths& paths, const std::string& game) {
    const GameInfoStore store(paths);
    removeRecord(store, store.wadRecordPath(game));
    removeRecord(store, store.mapRecordPath({SelectedKind::AutoLoading, game, {}}));
}

bool removeInGames(const InstallPaths& paths, const std::string& path) {
    return ci::removeTreeInside(paths.gamesFolder, path);
}

// Moves the files of a game's `from` folder ("Pwads" or "Gwads") into its
// `to` folder and removes `from`; the selected wad's check file goes with
// it. Through a game folder that is a link both folders would lie
// elsewhere: such a game is refused.
GameChange moveGameFiles(const InstallPaths& paths, const InstalledGame& game, const char* from,
                         const char* to) {
    const std::string folder = gameFolder(paths, game.name);
    if (!isUsableName(game.name) || !ci::isFolder(folder))
        return GameChange::Failed;
    const std::string check = isUsableName(game.wadBase) ? game.wadBase + ".krvchk" : "";
    return ci::transferFolder(paths.gamesFolder, folder + ci::kSep + from, folder + ci::kSep + to,
                              ci::Transfer::Move, check);
}

} // namespace

std::string libraryChangeText(GameChange change, const std::string& deed) {
    const std::string nothing = "nothing was " + deed + ".     ";
    switch (change) {
    case GameChange::Done:
        return {};
    case GameChange::AccessDenied:
        return "  A folder or file could not be written or read:     \r\n  " + nothing;
    case GameChange::ReadOnly:
        return "Read only error, file can't be overwritten     ";
    case GameChange::LinkedOut:
        return "  The files lie in a folder linked in from elsewhere, which     \r\n"
               "  the launcher leaves alone: " +
               nothing;
    case GameChange::NameClash:
        return "  A file or folder can't take its place under its name     \r\n"
               "  (a folder of that name, or an unusable name): " +
               nothing;
    case GameChange::DiskFull:
        return "  The disk is full: " + nothing;
    case GameChange::Failed:
        break;
    }
    return "  The files could not be copied or moved: " + nothing;
}

std::string wadBaseName(const std::string& wad) {
    std::string name(fileNameOfPath(wad));
    if (iendsWith(name, ".wad"))
        name.resize(name.size() - 4);
    return name;
}

void removeFilesStartingWith(const std::vector<std::string>& folders, const std::string& prefix) {
    if (!isUsableName(prefix))
        return;
    for (const std::string& folder : folders)
        for (const std::string& name : ci::listFolder(folder))
            if (name.size() >= prefix.size() && iequals(name.substr(0, prefix.size()), prefix) &&
                ci::isFile(folder + ci::kSep + name))
                ci::removeFileInside(folder, folder + ci::kSep + name);
}

void removeFolderFiles(const std::string& folder) {
    // A folder that is itself a link may point anywhere: it is left alone.
    std::error_code error;
    if (const auto found = ci::resolve(folder); !found || fs::is_symlink(*found, error))
        return;
    for (const std::string& name : ci::listFolder(folder))
        if (ci::isFile(folder + ci::kSep + name))
            ci::removeFileInside(folder, folder + ci::kSep + name);
}

void removeNodeFiles(const InstallPaths& paths, const std::string& base) {
    removeFilesStartingWith({paths.root + "/KRVAnFiles", paths.root + "/gwa"}, base);
}

GameChange uninstallGame(const InstallPaths& paths, const InstalledGame& game) {
    if (!isUsableName(game.name))
        return GameChange::Failed;
    // Whole or not at all; links inside the folder, or the folder itself
    // when it is one, go as links and what they point to stays.
    if (!ci::removeWholeTreeInside(paths.gamesFolder, gameFolder(paths, game.name)))
        return GameChange::AccessDenied;
    const bool ownResources = !game.autoLoading && isUsableName(game.wadBase);
    if (ownResources)
        for (const char* resources : {"/MD2", "/Data/Custom.hires", "/Data/Custom.music"}) {
            const std::string parent = paths.root + resources;
            ci::removeTreeInside(parent, parent + ci::kSep + game.wadBase);
        }
    const GameInfoStore store(paths);
    if (game.autoLoading) {
        removeAutoRecords(paths, game.name);
        if (isUsableName(game.wadBase))
            removeRecord(store, store.saveRecordPath(recordsOf(game, game.wadBase)));
    } else {
        removeRecord(store, store.mapRecordPath(recordsOf(game)));
        removeRecord(store, store.saveRecordPath(recordsOf(game)));
    }
    removeNodeFiles(paths, game.wadBase);
    return GameChange::Done;
}

GameChange renameGame(const InstallPaths& paths, const InstalledGame& game,
                      const std::string& newName) {
    if (!isUsableName(game.name) || !isUsableName(newName))
        return GameChange::Failed;
    const std::error_code error = ci::renameInside(paths.gamesFolder, gameFolder(paths, game.name),
                                                   gameFolder(paths, newName));
    if (error)
        return failure(error);
    const GameInfoStore store(paths);
    if (game.autoLoading) {
        removeAutoRecords(paths, game.name);
        ci::removeTreeInside(store.folder(), store.folder() + "/Save/Gwads/" + game.name);
    } else {
        removeRecord(store, store.mapRecordPath(recordsOf(game)));
        removeRecord(store, store.saveRecordPath(recordsOf(game)));
    }
    removeNodeFiles(paths, game.wadBase);
    return GameChange::Done;
}

GameChange convertToAuto(const InstallPaths& paths, const InstalledGame& game) {
    if (const GameChange change = moveGameFiles(paths, game, "Pwads", "Gwads");
        change != GameChange::Done)
        return change;
    const GameInfoStore store(paths);
    removeRecord(store, store.mapRecordPath(recordsOf(game)));
    return GameChange::Done;
}

GameChange convertToManual(const InstallPaths& paths, const InstalledGame& game) {
    if (const GameChange change = moveGameFiles(paths, game, "Gwads", "Pwads");
        change != GameChange::Done)
        return change;
    removeAutoRecords(paths, game.name);
    return GameChange::Done;
}

GameChange deleteGameFile(const InstallPaths& paths, const InstalledGame& game,
                          const std::string& fileName) {
    if (!isUsableName(game.name) || !isUsableName(fileName))
        return GameChange::Failed;
    const std::string file = gameFolder(paths, game.name) + "/Gwads/" + fileName;
    // A file reached through a linked folder is not the launcher's to delete.
    if (ci::confine(paths.gamesFolder, file).verdict == ci::Confinement::Outside)
        return GameChange::LinkedOut;
    if (!ci::removeFileInside(paths.gamesFolder, file))
        return GameChange::AccessDenied;
    const std::string base = wadBaseName(fileName);
    const GameInfoStore store(paths);
    removeRecord(store, store.saveRecordPath({SelectedKind::AutoLoading, game.name, fileName}));
    removeNodeFiles(paths, base);
    return GameChange::Done;
}

void purgeSaveGames(const InstallPaths& paths) {
    const std::string saves = paths.root + "/UserSG";
    for (const std::string& name : ci::listFolder(saves))
        if (ci::isFolder(saves + ci::kSep + name))
            ci::removeTreeInside(saves, saves + ci::kSep + name);
    // Older installations kept saved games inside the game folders.
    for (const std::string& game : ci::listFolder(paths.gamesFolder))
        if (ci::isFolder(paths.gamesFolder + game + "/savegame"))
            removeInGames(paths, paths.gamesFolder + game + "/savegame");
    ci::removeTreeInside(paths.root, paths.root + "/KRVAnFiles");
    const std::string records = GameInfoStore(paths).folder();
    ci::removeTreeInside(records, records + "/Save");
}

void purgeNodes(const InstallPaths& paths) {
    for (const char* nodes : {"/gwa", "/KRVAnFiles"})
        removeFolderFiles(paths.root + nodes);
}

} // namespace krv
