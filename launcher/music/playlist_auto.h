#pragma once
// Which playlist the engine gets: the playlist list of the Sound tab, the
// "Manual" and "Auto" modes, and the automatic playlists - one playlist name
// per commercial game, kept in "auto-playlist.krv" in the music folder.

#include "launcher/inspect/iwad_registry.h"
#include "launcher/music/playlist_format.h"
#include "launcher/startup/install_paths.h"
#include "launcher/startup/settings.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krv {

// ---- The playlist list ----

struct PlaylistListing {
    std::vector<std::string> names; // base names, sorted without regard to case
    int selected = -1;              // index of the current playlist, or -1
};

// Creates the music folder when missing and lists the base names of its
// ".krm" files, selecting the one equal to `currentName` (ignoring case).
PlaylistListing listPlaylists(const InstallPaths& paths, std::string_view currentName);

// The enabled state of the playlist controls for a list: with no playlist,
// "Auto" is also cleared.
struct PlaylistControls {
    bool autoEnabled = true;   // chkSound 4
    bool manualEnabled = true; // chkSound 5
    bool openEnabled = true;   // butMusic 1
    bool deleteEnabled = true; // butMusic 2
    bool clearAuto = false;
    bool operator==(const PlaylistControls&) const = default;
};
PlaylistControls playlistControls(const PlaylistListing& listing);

// What "Disable sound", "Disable music" and "Auto" leave of the playlist
// controls: the frame, "Auto", "Manual", "Force Fmod midi" and "Ignore
// playlist" while music plays; the list and its buttons only without "Auto".
struct MusicAvailability {
    bool frame = true;
    bool playlists = true;
    bool operator==(const MusicAvailability&) const = default;
};
MusicAvailability musicAvailability(bool soundOff, bool musicOff, bool automatic);

// ---- Selection rules ----

// A click on a list entry makes it the current playlist; another playlist
// than before clears "Manual".
void selectPlaylist(Settings& settings, const std::string& name);
// Checking one mode clears the other.
void setAutoMode(Settings& settings, bool on);
void setManualMode(Settings& settings, bool on);

// Shown when "Auto" is pressed while no automatic playlist has been set up.
PlaylistMessage noAutoPlaylistMessage();
// Shown when "Manual" is released with no playlist selected ("Manual" is
// then cleared).
PlaylistMessage noPlaylistSelectedMessage();

// ---- Automatic playlists ----

// The games with an automatic playlist, in the order of the file's lines 1-4.
enum class AutoGame { Doom = 0, Doom2, Plutonia, Tnt };
inline constexpr int kAutoGameCount = 4;

struct AutoGameInfo {
    AutoGame game;
    const char* menuCaption; // "Doom/Ultimate Doom", in the popup submenu
    const char* titleName;   // "DOOM", in the confirmation's title
    IwadKind iwad;           // whose file must exist for the menu entry
};
const std::array<AutoGameInfo, kAutoGameCount>& autoGames();

// The popup submenu's caption.
inline constexpr std::string_view kAutoSelectMenu = "Auto Playlist Selection for Iwads";

std::string autoPlaylistPath(const InstallPaths& paths);
bool autoPlaylistExists(const InstallPaths& paths);
// The five lines written when the file is created.
std::vector<std::string> defaultAutoPlaylistLines();

// Which submenu entries are enabled: those whose IWAD file exists.
std::array<bool, kAutoGameCount> autoSelectEntriesEnabled(const IwadRegistry& iwads);

// Writes `name` as the automatic playlist of `game`: only the game's line
// changes and every other byte of the file stays, however long it is. A
// missing file is created with its defaults, a short one completed with
// them. Answers the message to show, the confirmation or, when the file
// could not be read or written (it is then left as it was), the failure;
// nothing when the name cannot be stored.
std::optional<PlaylistMessage> assignAutoPlaylist(const InstallPaths& paths, AutoGame game,
                                                  const std::string& name);

// The game whose automatic playlist serves an IWAD: by its base name
// "Doom1" or "Doom", "Doom2", "Plutonia", "Tnt" (ignoring case).
std::optional<AutoGame> autoGameOfIwad(std::string_view iwadPath);

struct AutoPlaylistChoice {
    std::string name;
    bool found = false; // the name is one of the listed playlists
    bool operator==(const AutoPlaylistChoice&) const = default;
};

// The automatic playlist for the IWAD being launched: the name assigned to
// its game and whether `playlists` (the list of the Sound tab) holds it.
// Without the file or for an IWAD of no game there is none.
AutoPlaylistChoice chooseAutoPlaylist(const InstallPaths& paths, std::string_view iwadPath,
                                      const std::vector<std::string>& playlists);

} // namespace krv
