#pragma once
// The Sound tab's music playlists on the session model: the list of
// playlists and the current one, the Auto and Manual modes, the controls
// that "Disable sound", "Disable music" and "Auto" leave, New, Open and
// Delete, and the automatic playlist of each IWAD. The playlist editor is a
// window of its own: New and Open answer what it is to show.

#include "launcher/inspect/iwad_registry.h"
#include "launcher/launch/compose_environment.h"
#include "launcher/music/playlist_editor.h"
#include "launcher/platform/platform.h"
#include "launcher/session/session_model.h"
#include "launcher/startup/install_paths.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace krv {

struct PlaylistListing;
struct PlaylistMessage;

class MusicController {
public:
    // Declares the playlist frame's controls and follows the modes' boxes.
    MusicController(SessionModel& model, const InstallPaths& paths, const IwadRegistry& iwads,
                    Platform& platform);

    // Writes the built-in playlists and lists every playlist.
    void loadPlaylists();
    // The playlist controls as "Disable sound", "Disable music" and "Auto"
    // allow them.
    void DisableMusic();
    // "Manual" reads "Load" while it is checked.
    void showManualCaption();
    // Without automatic playlists "Auto" cannot stay checked.
    void dropAutoWithoutPlaylists();
    // The player presses "Auto": false, after telling how to make automatic
    // playlists, while there are none; the press is then not taken.
    bool pressAutoMode();
    // A click on an entry, or the right click that opens its menu, makes it
    // the current playlist; another playlist than before clears "Manual".
    void choosePlaylist(int row);

    // The playlist the editor opens with, or nothing when New or Open stops
    // (cancelled, refused or not found).
    std::optional<EditedPlaylist> NewPlaylist();
    std::optional<EditedPlaylist> OpenPlaylist();
    // The editor saved `name`; the editor closed, its playlist of `type`.
    void playlistSaved(const std::string& name);
    void editorClosed(PlaylistType type);
    // `shownName` is the entry's name as the list shows it, upper-cased.
    void DeletePlaylist(const std::string& shownName);
    void AssignAutoPlaylist(int game);
    // Which games of the automatic playlists' menu have their IWAD.
    std::vector<bool> autoMenuEntries() const;
    // The automatic playlist of the IWAD being launched, among those listed.
    AutoPlaylist automaticPlaylist(const std::string& iwadPath) const;

private:
    void followModes();
    void showPlaylists(const PlaylistListing& listing);
    void showMessage(const PlaylistMessage& message);
    void paintModeCaptions();
    std::string currentName() const;

    SessionModel& model_;
    Controls& c_;
    const InstallPaths& paths_;
    const IwadRegistry& iwads_;
    Platform& platform_;
    PlaylistType playlistType_{}; // of the playlist opened last; kept when one names no map
};

} // namespace krv
