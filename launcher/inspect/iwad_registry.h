#pragma once
// The registry of the commercial Doom game files (IWADs): one full path per
// kind, empty when the kind is not registered. An IWAD is recognised by its
// file name alone, never by its contents.
//
// The registry is filled by a search of the usual places at every start and
// by the list the IWAD dialog keeps in "iwads.cfg" (its four slots). During
// detection the first path found for a kind stays; a path the user adds in
// the dialog replaces the kind's path.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krv {

enum class IwadKind { Shareware = 0, Doom, Doom2, Plutonia, Tnt };
inline constexpr int kIwadKindCount = 5;
inline constexpr int kIwadSlotCount = 4;

struct IwadKindInfo {
    IwadKind kind;
    const char* fileName;     // "Doom2.wad"
    const char* title;        // "Doom II", shown with a launcher font of the user's own
    const char* capitalTitle; // "DOOM II", shown with the default font
    const char* standIn;      // Freedoom's IWAD that stands in for the kind, or null
};

// The five kinds in the order of the Doom games view: Shareware, Doom,
// Doom II, Plutonia, TNT.
const std::array<IwadKindInfo, kIwadKindCount>& iwadKinds();
const IwadKindInfo& iwadKindInfo(IwadKind kind);

// The last component of a path written with either separator.
std::string_view fileNameOfPath(std::string_view path);

// The last component of a path without its extension ("castle" for
// ".../castle.wad").
std::string baseNameOfPath(std::string_view path);

// The folder part of a path written with either separator, with the
// platform's separators and without the last one; empty for a bare name.
std::string folderOfPath(std::string_view path);

// The kind whose file name, or the name of its Freedoom stand-in
// ("freedoom2.wad" for Doom II), equals the last component of `path`,
// ignoring case; nothing for any other name.
std::optional<IwadKind> iwadKindOfPath(std::string_view path);

// The kind whose title (mixed-case or capital) equals `title`, ignoring case.
std::optional<IwadKind> iwadKindOfTitle(std::string_view title);

// Reads an environment variable; nothing when it is not set. Injected so that
// tests can give "DOOMWADDIR" and "$DOOMWADDIR" without touching the process.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;
EnvironmentLookup processEnvironment();

struct IwadRegistry {
    std::array<std::string, kIwadKindCount> paths; // indexed by IwadKind
    // The four dialog slots, which "iwads.cfg" stores. An empty slot 0 means
    // that no IWAD is known. (Not named "slots": Qt defines that word as a
    // macro, and the forms read this member.)
    std::array<std::string, kIwadSlotCount> slotPaths;
    // The search result buffer: the registered paths in registration order
    // while a detection runs; the slots are filled from it.
    std::vector<std::string> StoredFiles;
    // The folder the Add dialog opens in.
    std::string addDialogFolder;

    const std::string& path(IwadKind kind) const { return paths[static_cast<int>(kind)]; }
    bool isRegistered(IwadKind kind) const { return !path(kind).empty(); }

    // Detection's registration: when the file name of `path` is one of the
    // five and that kind is still free, records the path and appends it to
    // the search result buffer. True when it was recorded.
    bool registerPath(const std::string& path);

    // The dialog's check of an added file: a path whose file name is one of
    // the five and that names an existing file becomes the kind's path,
    // replacing any earlier one. False for any other path (an empty path
    // changes nothing).
    bool CheckIwad(const std::string& path);

    // The registered path for the kind named by `fileName` (a file name or a
    // full path); nothing when the name is not one of the five. The answer
    // is empty when that kind is not registered.
    std::optional<std::string> pathForFileName(std::string_view fileName) const;

    // Empties the five paths and the four slots.
    void clear();

    // Copies at most four buffered paths into the slots, clears the buffer
    // and returns the paths copied.
    std::vector<std::string> fillSlotsFromBuffer();
};

// The folder the search takes for the environment: "$DOOMWADDIR" when it
// names an existing folder, else "DOOMWADDIR" when that does; empty when
// neither does, and then the environment places are skipped.
std::string iwadEnvironmentFolder(const EnvironmentLookup& env);

// Searches the usual places and registers each IWAD found, the first per
// kind winning: the environment folder, the installation root, the root's
// "Data" folder and its "Iwads" folder for Doom2, Doom, Tnt and Plutonia (in
// that order in each folder); then Doom1.wad in the environment folder,
// "Iwads", "Data" and the root.
void searchIwads(IwadRegistry& registry, const std::string& root, const EnvironmentLookup& env);

// The folders where Linux systems keep IWADs, in search order: each folder
// of "DOOMWADPATH" (colon-separated), "games/doom" under "XDG_DATA_HOME"
// (default "~/.local/share"), then "games/doom" under each folder of
// "XDG_DATA_DIRS" (default "/usr/local/share:/usr/share"). Folders that do
// not exist are left out.
std::vector<std::string> linuxIwadFolders(const EnvironmentLookup& env);

// Decides whether a file found under a kind's file name is taken as that
// kind; an empty check takes every file.
using IwadFileCheck = std::function<bool(const std::string& path, IwadKind kind)>;

// Registers, for each kind still free in the order Doom2, Doom, Tnt,
// Plutonia, then Shareware, the first file of the kind's file name in
// `folders` (in any case) that `accept` takes.
void registerCommercialIwadsIn(IwadRegistry& registry, const std::vector<std::string>& folders,
                               const IwadFileCheck& accept = {});

// The places beyond the installation, each filling only the kinds still
// free: the commercial IWADs of the Linux folders, then those of the game
// stores under the home folder ("HOME"), then, for Doom and Doom II,
// Freedoom's stand-ins ("freedoom1.wad", "freedoom2.wad") in the Linux
// folders. A bought IWAD therefore always comes before a stand-in.
void searchLinuxIwadPlaces(IwadRegistry& registry, const EnvironmentLookup& env);

// True when the last component of `path` is the name of a Freedoom stand-in.
bool isFreedoomStandIn(std::string_view path);

// True when a file named like the IWAD of `iwadPath` lies in one of the
// places the engine looks in by itself: the folders named by "DOOMWADDIR"
// and "$DOOMWADDIR" (each only when it names an existing folder), the
// installation root, its "Data" and its "Iwads" folder.
bool engineFindsIwad(std::string_view iwadPath, const std::string& root,
                     const EnvironmentLookup& env);

// The launch's location answer as text: "True" when the engine cannot find
// the IWAD by itself, "False" when it can.
std::string iwadLocationTest(std::string_view iwadPath, const std::string& root,
                             const EnvironmentLookup& env);

// "iwads.cfg" in the launcher's data folder (a folder text ending in the
// separator).
std::string iwadsCfgPath(const std::string& dataFolder);

// Reads "iwads.cfg" after a search: the folder of its first line becomes the
// Add-dialog folder (the installation root when that folder does not exist
// or there is no file); each of its first four lines that names an existing
// file is registered if its kind is still free. Lines holding control bytes
// are skipped. When no line named an existing file, the file is deleted.
// Returns the number of lines that named an existing file.
int readIwadsCfg(IwadRegistry& registry, const std::string& dataFolder, const std::string& root);

// Writes the four slots as the four lines of "iwads.cfg". False when the
// file could not be written.
bool writeIwadsCfg(const IwadRegistry& registry, const std::string& dataFolder);

void deleteIwadsCfg(const std::string& dataFolder);

// Deletes the node cache the engine leaves beside an IWAD: the file of the
// same name with the extension "KRVgwa" instead of "wad".
void removeIwadNodeCache(const std::string& iwadPath);

// The registration run while the main window loads: the search, then
// "iwads.cfg", then the places beyond the installation (after the list, so
// that an IWAD the user added is not pushed out by a store's or a stand-in),
// then the slots filled from the search result buffer, the node caches
// beside the copied IWADs removed (never in a game store's folder, which the
// launcher leaves as it is) and the buffer cleared. Starts from an empty
// registry. True when nothing at all was registered (the dialog then warns
// that no IWAD was found).
bool registerIwadsAtStartup(IwadRegistry& registry, const std::string& root,
                            const std::string& dataFolder, const EnvironmentLookup& env);

// The dialog's Search: empties the registry, deletes "iwads.cfg", searches
// the usual places and those beyond the installation and fills the slots.
// True when the list is to be kept in "iwads.cfg" like a list the user made,
// so that the next start takes it from there: when it holds an IWAD found
// in a game store and no Freedoom stand-in (a kept stand-in would shut out
// an IWAD of its kind bought later).
bool searchIwadsFromDialog(IwadRegistry& registry, const std::string& root,
                           const std::string& dataFolder, const EnvironmentLookup& env);

// The titles of the Doom games view, one per registered kind in the view's
// order: mixed-case with a launcher font of the user's own, capitals
// otherwise.
std::vector<std::string> doomGamesTitles(const IwadRegistry& registry, bool customFont);

} // namespace krv
