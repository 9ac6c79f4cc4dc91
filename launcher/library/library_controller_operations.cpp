// The games menu and the game files menu: uninstall, rename and convert an
// installed game, and delete one file of an auto-loading game. Each asks
// first where it destroys, refuses while a file is in use, and refreshes
// the lists afterwards. Saving the current launch as shortcuts.

#include "launcher/library/library_controller.h"

#include "launcher/library/game_operations.h"
#include "launcher/library/games_list_rules.h"
#include "launcher/library/library_layout.h"
#include "launcher/library/scripted_maps.h"
#include "launcher/library/zip_library.h"
#include "launcher/session/window_controls.h"

#include "common/ci_path.h"
#include "common/strings.h"

namespace krv {

namespace {

constexpr const char* kNotFullyRemoved =
    "Unable to fully remove the selected item from the games list,       \r\n"
    "associated files or folders may be in use by another program.";

} // namespace

InstalledGame LibraryController::installedGame() const {
    const bool autoLoading = model_.gameSelection.autoGame;
    const std::string name =
        autoLoading ? model_.gameSelection.autoGameName : model_.gameSelection.manualGameName;
    const std::string file = selectedFileEntry();
    return {name, autoLoading, iendsWith(file, ".wad") ? wadBaseName(file) : std::string()};
}

// Desktop and start-menu shortcuts whose names begin with `prefix`.
void LibraryController::RemoveShortcuts(const std::string& prefix) {
    std::vector<std::string> folders;
    for (const SpecialFolder which : {SpecialFolder::Desktop, SpecialFolder::StartMenuPrograms}) {
        const std::string folder = platform_.specialFolder(which);
        if (!folder.empty())
            folders.push_back(folder + "/Korvath Shortcuts");
    }
    removeFilesStartingWith(folders, prefix);
}

// A file that exists and is held by another program; a missing file is not
// in use, so that a game whose wad is gone can still be removed.
bool LibraryController::IsInUse(const std::string& path) const {
    return !path.empty() && ci::fileInUse(path);
}

void LibraryController::UninstallGame() {
    const InstalledGame game = installedGame();
    if (game.name.empty())
        return;
    const int answer =
        platform_.showMessage(" Are you certain you wish to remove this game from the list?      ",
                              msg::kYesNoQuestion, " Remove selected game from list ");
    if (answer != msg::kResultYes)
        return;
    if (IsInUse(model_.gameSelection.selectedFile)) {
        platform_.showMessage(" Unable to remove the selected item from the games list,       \r\n"
                              "associated files or folders are in use by another program.",
                              msg::kCritical, " Access error");
        return;
    }
    // A game that could not be removed keeps its shortcuts.
    if (uninstallGame(paths_, game) != GameChange::Done) {
        platform_.showMessage(kNotFullyRemoved, msg::kCritical, " Access error");
        ShowView(InstalledGames);
        return;
    }
    RemoveShortcuts(game.name);
    model_.gameSelection.autoGame = model_.gameSelection.manualGame = false;
    // Removing a game may have removed the models of the maker's maps.
    model_.content.scriptedMapModels = hasScriptedModels(paths_);
    if (!model_.content.scriptedMapModels)
        model_.settings.scriptedMapsMode = false;
    ShowView(InstalledGames);
}

void LibraryController::refuseTakenName(const std::string& name) {
    platform_.showMessage("  WARNING: '" + name +
                              "' already exists  \r\n"
                              "  choose another name for renaming.",
                          msg::kOk, " Duplicate name error");
}

void LibraryController::refuseIllegalName() {
    platform_.showMessage(" Illegal naming convention detected.    ", msg::kCritical,
                          " Renaming error");
}

void LibraryController::RenameGame() {
    const InstalledGame game = installedGame();
    if (game.name.empty())
        return;
    NamePrompt prompt;
    prompt.frameCaption = " Name ";
    prompt.windowCaption = " Rename Game";
    prompt.initialText = game.name;
    prompt.buttonCaption = "Cancel";
    const NamePromptResult answer = platform_.askName(prompt);
    const std::string name(trim(answer.name));
    if (answer.cancelled || name.empty())
        return;
    if (!isUsableName(name)) {
        refuseIllegalName();
        return;
    }
    if (ci::exists(paths_.gamesFolder + name)) {
        refuseTakenName(name);
        return;
    }
    const GameChange change = renameGame(paths_, game, name);
    if (change == GameChange::AccessDenied) {
        platform_.showMessage("Unable to rename the selected item in this list,       \r\n"
                              "  the item may be in use by another program.",
                              msg::kCritical, " Access error");
        return;
    }
    if (change != GameChange::Done) {
        refuseIllegalName();
        return;
    }
    RemoveShortcuts(game.name);
    model_.gameSelection.lastInstalledGame = name;
    ShowView(InstalledGames);
}

// A failed conversion, which changed nothing, says why; the game is selected
// again either way.
void LibraryController::reportConversion(GameChange change, const char* accessDeniedText) {
    if (change == GameChange::AccessDenied)
        platform_.showMessage(accessDeniedText, msg::kCritical, " Conversion error");
    else if (change == GameChange::Failed)
        platform_.showMessage("ERROR: Unknown error     ", msg::kCritical, " Conversion error");
    else if (change != GameChange::Done)
        platform_.showMessage(libraryChangeText(change, "converted"), msg::kCritical,
                              " Conversion error");
    SelectGame();
}

void LibraryController::ConvertToAuto() {
    const InstalledGame game = installedGame();
    if (game.name.empty() || game.autoLoading)
        return;
    reportConversion(convertToAuto(paths_, game),
                     "Access denied: File or folder may be in use     ");
}

void LibraryController::ConvertToManual() {
    const InstalledGame game = installedGame();
    if (game.name.empty() || !game.autoLoading)
        return;
    // A user directory may hold more than a game's own files.
    if (holdsMoreThanGameFiles(files_.texts())) {
        const int answer = platform_.showMessage(
            " Only relevant game files can be contained in an auto-loading structure,      \r\n"
            " select Yes if you still wish to convert to auto-loading or No to abort.      ",
            msg::kYesNoQuestion, " User Directory Conversion");
        if (answer != msg::kResultYes)
            return;
    }
    reportConversion(convertToManual(paths_, game),
                     "Read only error, file can't be overwritten     ");
}

void LibraryController::DeleteGameFile() {
    const InstalledGame game = installedGame();
    const std::string file = selectedFileEntry();
    if (!game.autoLoading || file.empty())
        return;
    const int answer =
        platform_.showMessage("Are you certain you wish to delete " + toUpper(file) + "?       ",
                              msg::kYesNoQuestion, " Delete selected file");
    if (answer != msg::kResultYes)
        return;
    if (IsInUse(model_.gameSelection.selectedFile)) {
        platform_.showMessage("Unable to delete the selected file, the file       \r\n"
                              "  appears to be in use by another program.",
                              msg::kCritical, " Access error");
        return;
    }
    if (const GameChange change = deleteGameFile(paths_, game, file); change != GameChange::Done) {
        platform_.showMessage(change == GameChange::LinkedOut ? libraryChangeText(change, "deleted")
                                                              : std::string(kNotFullyRemoved),
                              msg::kCritical, " Access error");
        SelectGame();
        return;
    }
    RemoveShortcuts(game.name + " - " + wadBaseName(file));
    SelectGame();
}

// ---- Shortcuts ------------------------------------------------------------------

// The name the shortcut dialog shows for the selected entry.
std::string LibraryController::shortcutDialogName() const {
    if (games_.currentRow() < 0)
        return {};
    return shortcutLabelName(games_.currentText(), showsDoomGamesView(), font_.isSet());
}

// The launch is composed as for a real one; its line goes into the
// shortcuts instead of starting the engine.
void LibraryController::CreateShortcutWith(ShortcutRequest request) {
    if (games_.currentRow() < 0)
        return;
    request.name =
        shortcutName(games_.currentText(), model_.gameSelection.autoGame, selectedFileEntry());
    request.map = selectedMapEntry();
    host_.launchIntoShortcuts(request);
}

} // namespace krv
