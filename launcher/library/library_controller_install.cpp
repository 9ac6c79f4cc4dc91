// Installing custom levels into the games library: a wad or zip from the
// install dialog or dropped onto the window, and the zip library's task menu
// (install the extracted files as a game, rename or delete the archive) with
// its folder button.

#include "launcher/library/library_controller.h"

#include "launcher/library/game_operations.h"
#include "launcher/library/games_list_rules.h"
#include "launcher/library/install_copy.h"
#include "launcher/library/library_controls.h"
#include "launcher/library/library_layout.h"
#include "launcher/library/zip_library.h"

#include "common/ci_path.h"
#include "common/safe_names.h"
#include "common/strings.h"

#include <filesystem>

namespace krv {

namespace {

constexpr const char* kInUseTail = "       \r\n  appears to be in use by another program.";
constexpr const char* kFolderLockedTail = ", its folder       \r\n  can't be written.";

} // namespace

// Asks for a name; nothing when the prompt is cancelled or left empty. A
// name that cannot be one folder or file name is refused with a message, so
// that no file operation reaches outside the library.
std::optional<std::string> LibraryController::askLibraryName(const std::string& frame,
                                                             const std::string& window,
                                                             const std::string& button) {
    NamePrompt prompt;
    prompt.frameCaption = frame;
    prompt.windowCaption = window;
    prompt.initialText = model_.settings.lastArchive;
    prompt.buttonCaption = button;
    const NamePromptResult answer = platform_.askName(prompt);
    const std::string name(trim(answer.name));
    if (answer.cancelled || name.empty())
        return std::nullopt;
    if (!isUsableName(name)) {
        refuseUnusableName(name);
        return std::nullopt;
    }
    return name;
}

void LibraryController::refuseUnusableName(const std::string& name) {
    platform_.showMessage("The name '" + name + "' cannot be used as a file or folder name.  ",
                          msg::kExclamation, " Name error");
}

// ---- Install a wad or zip -----------------------------------------------------

void LibraryController::InstallLevel() {
    OpenFileRequest request;
    request.title = "Install a wad file to the Games List";
    request.filter = "Doom levels - zip or wad files (*.zip *.wad)";
    request.initialFolder = lastInstallFolder(paths_);
    const auto chosen = platform_.openFile(request);
    if (!chosen)
        return;
    installLevelFile(*chosen);
}

void LibraryController::installLevelFile(const std::string& chosen) {
    const std::string path(trim(chosen));
    const std::string game = baseNameOfPath(path);
    const std::string gameFolder = paths_.gamesFolder + game;
    // A file whose name cannot be a game folder ("..wad", a quote, a line
    // break) is refused before anything is written.
    if (!path.empty() && !isUsableName(game)) {
        refuseUnusableName(game);
        return;
    }
    if (ci::exists(gameFolder)) {
        platform_.showMessage("  WARNING: '" + game +
                                  "' already exists in the   \r\n"
                                  "  games list, delete or rename existing entry.     ",
                              msg::kOk, " Duplicate name error");
        return;
    }
    const std::string pwads = gameFolder + "/Pwads";
    if (iendsWith(path, ".wad")) {
        const IoStatus copied = installWadCopy(path, gameFolder);
        if (copied != IoStatus::Ok) {
            platform_.showMessage(installFailureText(copied), msg::kExclamation, " Install error");
            return;
        }
    } else if (iendsWith(path, ".zip")) {
        // An archive that could not be extracted leaves no empty game behind.
        const bool made = ci::createFolder(gameFolder) && ci::createFolder(pwads);
        if (!made || !ExtractZip(path, ci::resolve(pwads)->string())) {
            ci::removeTreeInside(paths_.gamesFolder, gameFolder);
            return;
        }
    }
    writeLastInstallFolder(paths_, folderOfPath(path));
    model_.settings = host_.settingsWithControls();
    writeSettings(paths_, startup_.wineMode, model_.settings);
    if (path.empty())
        return;
    model_.gameSelection.lastInstalledGame = game;
    showInstalledGames();
}

// ---- Files dropped onto the window ----------------------------------------------

// Each wad or zip is installed as if chosen in the install dialog, one after
// another. Any other file is named in one message and left alone; the
// installable files of the same drop are still installed.
void LibraryController::installDroppedFiles(const std::vector<std::string>& files) {
    const DroppedFiles dropped = sortDroppedFiles(files);
    if (!dropped.refused.empty())
        platform_.showMessage("  Only wad and zip files can be installed to the games list.   "
                              "\r\n  Not installed: " +
                                  dropped.refused + "     ",
                              msg::kExclamation, " Install error");
    for (const std::string& level : dropped.levels)
        installLevelFile(level);
}

// The installed games view with the last installed game selected. The
// filter is cleared first, as it could hide the game just installed.
void LibraryController::showInstalledGames() {
    c_.setText(ids::GamesFilter, "");
    model_.gameSelection.autoGame = false;
    c_.setChecked(ids::OptionUdir[InstalledGames], true);
    ShowView(InstalledGames);
}

// ---- The zip library ----------------------------------------------------------

void LibraryController::SetZipLibraryFolder() {
    std::string& folder = paths_.archivesFolder;
    const auto chosen = platform_.browseForFolder(zipFolderBrowseText(folder));
    folder = settleZipLibraryFolder(paths_, chosen, folder);
    ShowView(ZipLibrary);
}

void LibraryController::InstallZipAsManual() {
    const auto name = askLibraryName(" Name ", " Install to Game List", "Cancel");
    if (!name)
        return;
    const std::string game = paths_.gamesFolder + *name;
    if (ci::isFolder(game + "/Pwads")) {
        platform_.showMessage("  WARNING: '" + *name +
                                  "' already exists  \r\n"
                                  "  choose another name before installing.     ",
                              msg::kOk, " Duplicate name error");
        return;
    }
    if (ci::isFolder(game + "/Gwads")) {
        const int answer = platform_.showMessage(
            " WARNING: A manual-loading structure already exists in " + *name +
                "     \r\n selecting Yes will delete all the existing files contained in this "
                "folder.     ",
            msg::kYesNoQuestion, " User Directory Conversion");
        if (answer != msg::kResultYes)
            return;
        // Only what the user agreed to replace goes, and only inside the
        // games folder.
        if (!ci::removeWholeTreeInside(paths_.gamesFolder, game)) {
            platform_.showMessage(" Unable to delete the existing files of " + *name + ".     ",
                                  msg::kCritical, " Access error");
            return;
        }
    }
    if (!installExtractedFiles(game + "/Pwads"))
        return;
    model_.gameSelection.lastInstalledGame = *name;
    showInstalledGames();
}

void LibraryController::InstallZipAsAuto() {
    const auto name = askLibraryName("Games List Name", " Install to Games List", "Cancel");
    if (!name)
        return;
    const std::string game = paths_.gamesFolder + *name;
    if (ci::isFolder(game + "/Pwads")) {
        platform_.showMessage(" The " + *name +
                                  " folder already exists as an auto-loading User Directory     ",
                              msg::kOk, " User Directory Conversion");
        return;
    }
    const bool existed = ci::isFolder(game + "/Gwads");
    if (!installExtractedFiles(game + "/Gwads"))
        return;
    model_.gameSelection.lastInstalledGame = *name;
    showInstalledGames();
    platform_.showMessage(existed ? " All relevant files have been unzipped to the existing " +
                                        *name + " games list.    "
                                  : " The " + *name + " has been installed to the games list.     ",
                          msg::kOk, "User Directory Conversion");
}

// The extracted files of the last zip, main WAD included, go into the game
// (its folders made as needed), all of them or none with a message.
bool LibraryController::installExtractedFiles(const std::string& target) {
    ci::createFolder(paths_.gamesFolder);
    const GameChange change = ci::transferFolder(paths_.gamesFolder, paths_.launcherFolder + "Zips",
                                                 target, ci::Transfer::Copy);
    if (change != GameChange::Done) {
        platform_.showMessage(libraryChangeText(change, "installed"), msg::kCritical,
                              " Install error");
        return false;
    }
    model_.gameSelection.currentGameFolder = target + ci::kSep;
    if (!model_.mainWad.empty())
        model_.mainWad =
            model_.gameSelection.currentGameFolder + std::string(fileNameOfPath(model_.mainWad));
    return true;
}

void LibraryController::RenameArchive() {
    const auto name = askLibraryName(" Name ", " Rename Zip", "Cancel");
    if (!name)
        return;
    const std::string old = model_.settings.lastArchive;
    const ArchiveChange change = renameArchive(paths_, paths_.archivesFolder, old, *name);
    if (change == ArchiveChange::InUse) {
        platform_.showMessage(std::string("Unable to rename the selected file, the file") +
                                  kInUseTail,
                              msg::kCritical, " Access error");
        return;
    }
    if (change == ArchiveChange::Taken) {
        refuseTakenName(*name);
        return;
    }
    if (change == ArchiveChange::AccessDenied) {
        platform_.showMessage(std::string("Unable to rename the selected file") + kFolderLockedTail,
                              msg::kCritical, " Access error");
        return;
    }
    if (change != ArchiveChange::Done) {
        refuseIllegalName();
        return;
    }
    model_.settings.lastArchive = *name;
    games_.remove(games_.currentRow());
    games_.add(font_.isSet() ? *name : toUpper(*name));
    games_.setCurrentRow(games_.count() - 1);
}

void LibraryController::DeleteArchive() {
    const int answer = platform_.showMessage("Are you certain you wish to delete this file?      ",
                                             msg::kYesNoQuestion, " Delete selected archive");
    if (answer != msg::kResultYes)
        return;
    const std::string name = model_.settings.lastArchive;
    const ArchiveChange change = deleteArchive(paths_, paths_.archivesFolder, name);
    if (change == ArchiveChange::InUse) {
        platform_.showMessage(std::string("Unable to delete the selected file, the file") +
                                  kInUseTail,
                              msg::kCritical, " Access error");
        return;
    }
    if (change == ArchiveChange::AccessDenied) {
        platform_.showMessage(std::string("Unable to delete the selected file") + kFolderLockedTail,
                              msg::kCritical, " Access error");
        return;
    }
    if (change == ArchiveChange::Failed) {
        platform_.showMessage(" Unable to delete the selected file, its name is not usable.     ",
                              msg::kCritical, " Access error");
        ShowView(ZipLibrary);
        return;
    }
    model_.saveGames.clear();
    model_.gameSelection.zip = false;
    ShowView(ZipLibrary);
}

} // namespace krv
