// The text file that comes with a level: its title and author as the games
// list's help text, the filter's further match, and "Show readme". Only
// what a help text or the filter asks for is read, and nothing of it is kept
// on the disk.

#include "launcher/library/library_controller.h"

#include "launcher/library/unzip_module.h"

#include "common/ci_path.h"
#include "common/strings.h"

#include <cstdlib>
#include <filesystem>

namespace krv {

namespace {

// A folder of its own in the system's temporary folder, removed with its
// contents when the object goes.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "krv-readme-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr)
            path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code error;
        if (!path_.empty())
            std::filesystem::remove_all(path_, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace

// The text file of a zip that is not the one extracted: its text members
// alone, extracted where nothing else is.
std::optional<LevelReadme> LibraryController::readmeOfZip(const std::string& entry) const {
    const std::string archive = paths_.archivesFolder + ci::kSep + entry + ".zip";
    const ScratchFolder scratch;
    if (!ci::isFile(archive) || scratch.path().empty())
        return std::nullopt;
    extractZipTexts(paths_.root, ci::resolve(archive)->string(), scratch.path());
    return findLevelReadme(scratch.path());
}

const std::optional<LevelReadme>& LibraryController::readmeOfEntry(const std::string& entry) {
    if (const auto known = readmes_.find(entry); known != readmes_.end())
        return known->second;
    std::optional<LevelReadme> readme;
    if (model_.settings.gamesListView == ZipLibrary) {
        readme = readmeOfZip(entry);
    } else if (model_.settings.gamesListView == InstalledGames) {
        const std::string game = installedGameFolderName(entry);
        const GameFolderKind kind = installedGameKind(game);
        if (kind != GameFolderKind::None)
            readme = findLevelReadme(paths_.gamesFolder + game +
                                     (kind == GameFolderKind::Auto ? "/Gwads" : "/Pwads"));
    }
    return readmes_[entry] = std::move(readme);
}

// The selection's own file: the extracted zip's is found among its files.
std::optional<LevelReadme> LibraryController::readmeOfSelection() const {
    const GameSelection& selection = model_.gameSelection;
    if (selection.currentGameFolder.empty() ||
        (!selection.zip && !selection.autoGame && !selection.manualGame))
        return std::nullopt;
    return findLevelReadme(selection.currentGameFolder);
}

bool LibraryController::readmeMatches(const std::string& entry, const std::string& wanted) {
    const std::optional<LevelReadme>& readme = readmeOfEntry(entry);
    return readme && (containsIgnoringCase(readme->title, wanted) ||
                      containsIgnoringCase(readme->author, wanted));
}

std::string LibraryController::gameHelpText(int row) {
    if (row < 0 || row >= games_.count() || model_.settings.disableTooltips)
        return {};
    const std::optional<LevelReadme>& readme = readmeOfEntry(games_.text(row));
    if (!readme)
        return {};
    std::string help;
    if (!readme->title.empty())
        help = "Title: " + readme->title;
    if (!readme->author.empty())
        help += (help.empty() ? "" : "\n") + std::string("Author: ") + readme->author;
    return help;
}

void LibraryController::ShowReadme() {
    if (const std::optional<LevelReadme> readme = readmeOfSelection())
        platform_.openDocument(readme->path);
}

} // namespace krv
