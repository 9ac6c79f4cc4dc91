#pragma once
// Everything the composers ask of the world while they run: the disk, the
// parts of the launcher that own the texture dialog, the map list, the games
// list and the playlists, and the user. The main window implements it with
// the real disk and the platform's dialogs; tests answer from a script.

#include "launcher/inspect/iwad_registry.h"
#include "launcher/launch/compose_types.h"

#include <chrono>
#include <optional>
#include <string>

namespace krv {

using FileTime = std::chrono::system_clock::time_point;

struct TexturePathCheck {
    bool usable = false;
    std::string texturePath; // possibly replaced by the default location
    std::string shownText;   // what the texture dialog's text box shows
};

// How a game's folder name stands in the maker's scripted-map table.
enum class ScriptedMapStatus {
    NotListed,
    ListedNotInstalled, // its wad, model or texture folder is missing
    Installed,
};

struct WarpTarget {
    std::string iwadPath;
    std::string warpMap;
};

struct AutoPlaylist {
    std::string name;
    bool found = false;
};

class ComposeEnvironment {
public:
    virtual ~ComposeEnvironment() = default;

    // The disk; paths are found without regard to case.
    virtual bool fileExists(const std::string& path) = 0;
    virtual bool folderExists(const std::string& path) = 0;
    virtual std::optional<FileTime> fileTime(const std::string& path) = 0;
    virtual std::optional<std::string> firstLine(const std::string& path) = 0;
    // True when the engine finds an IWAD of that file name by itself.
    virtual bool engineFindsIwad(const std::string& iwadPath) = 0;

    // The texture folder check of the texture dialog.
    virtual TexturePathCheck checkTexturePath() = 0;
    // The games list's look-up of a game folder name in the scripted-map
    // table; it also updates the games list's own scripted-map flag.
    virtual ScriptedMapStatus scriptedMapStatus(const std::string& gameName) = 0;
    // The map list's warp-target update: the IWAD and warp map of the maps.
    virtual WarpTarget updateWarpTarget() = 0;
    // The automatic playlist choice for the IWAD being launched.
    virtual AutoPlaylist chooseAutoPlaylist(const std::string& iwadPath) = 0;

    // The user.
    virtual void showMessage(const ComposeMessage& message) = 0;
    virtual void showIwadDialog() = 0;
};

// Answers the disk questions from the real disk through the case-insensitive
// resolver; the rest is left to the main window.
class DiskComposeEnvironment : public ComposeEnvironment {
public:
    DiskComposeEnvironment(std::string root, EnvironmentLookup env);

    bool fileExists(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    std::optional<FileTime> fileTime(const std::string& path) override;
    std::optional<std::string> firstLine(const std::string& path) override;
    bool engineFindsIwad(const std::string& iwadPath) override;

private:
    std::string root_;
    EnvironmentLookup env_;
};

} // namespace krv
