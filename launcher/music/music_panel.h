#pragma once
// The Sound tab's music playlists: the list of playlists with its selection,
// the New, Edit and Delete buttons, the task menu that makes a playlist the
// automatic one of an IWAD, and the Auto and Manual modes.

#include "launcher/launch/compose_environment.h"
#include "launcher/platform/platform.h"
#include "launcher/startup/app_state.h"

#include <QObject>

#include <array>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QGroupBox;
class QListWidget;
class QMenu;
class QPushButton;
class QWidget;

namespace krv {

struct EditedPlaylist;
struct PlaylistListing;
struct PlaylistMessage;
enum class PlaylistType;

// The Sound tab's boxes the playlists follow; the option tabs own them.
struct PlaylistBoxes {
    QCheckBox* soundOff;       // "Disable sound"
    QCheckBox* musicOff;       // "Disable music"
    QCheckBox* autoMode;       // "Auto"
    QCheckBox* manualMode;     // "Manual"
    QCheckBox* fmodMidi;       // "Force Fmod midi"
    QCheckBox* ignorePlaylist; // "Ignore playlist if custom music"
};

class MusicPanel : public QObject {
    Q_OBJECT
public:
    // The frame takes the mode boxes and "Ignore playlist if custom music"
    // into itself; `window` owns the task menu.
    MusicPanel(AppState& state, Platform& platform, const PlaylistBoxes& boxes, QWidget* window);

    // Writes the built-in playlists and lists every playlist.
    void loadPlaylists();
    // The playlist controls as "Disable sound", "Disable music" and "Auto"
    // allow them.
    void DisableMusic();
    // "Manual" reads "Load" while it is checked.
    void showManualCaption();
    // Without automatic playlists "Auto" cannot stay checked.
    void dropAutoWithoutPlaylists();
    void NewPlaylist();
    // Opens the chosen playlist in the playlist editor.
    void OpenPlaylist();
    void DeletePlaylist();
    void AssignAutoPlaylist(int game);
    // The automatic playlist of the IWAD being launched, among those listed.
    AutoPlaylist automaticPlaylist(const std::string& iwadPath) const;

    std::array<QGroupBox*, 2> SoundFrame{}; // 1 music playlists
    QListWidget* SelectionList;
    std::array<QPushButton*, 3> butMusic{};
    QMenu* mPopupMusic = nullptr;         // playlists
    std::vector<QAction*> mcAutoPlaylist; // one per game with an automatic playlist

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFrame(QWidget* window);
    void connectControls();
    void showPlaylists(const PlaylistListing& listing);
    std::vector<std::string> listedPlaylists() const;
    void showPlaylistMessage(const PlaylistMessage& message);
    void showMusicForm(EditedPlaylist playlist);

    AppState& state_;
    Platform& platform_;
    PlaylistBoxes boxes_;
    QWidget* window_;
    PlaylistType playlistType_{}; // of the playlist opened last; kept when one names no map
};

} // namespace krv
