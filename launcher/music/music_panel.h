#pragma once
// The Sound tab's playlist frame: the list of playlists, the New, Open and
// Delete buttons, the Auto and Manual modes, the custom-music box and the
// task menu that makes a playlist the automatic one of an IWAD. It shows the
// session model and hands the player's actions to the music controller; the
// playlist editor opens from here.

#include "launcher/music/music_controller.h"
#include "launcher/platform/platform.h"
#include "launcher/session/session_model.h"
#include "launcher/startup/install_paths.h"
#include "launcher/ui/control_binder.h"
#include "launcher/ui/launcher_font.h"

#include <QWidget>

#include <vector>

class QAction;
class QMenu;

namespace krv {

class ListBinder;

class MusicPanel : public QWidget {
    Q_OBJECT
public:
    // The playlist editor opens over the installation, its IWADs and font.
    MusicPanel(MusicController& music, SessionModel& model, const InstallPaths& paths,
               const IwadRegistry& iwads, const FontSetting& font, Platform& platform,
               ControlBinder& binder, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFrame();
    void buildMenu();
    void connectControls();
    void showMenu(QPoint at);
    void NewPlaylist();
    void OpenPlaylist();
    void DeletePlaylist();
    void showMusicForm(EditedPlaylist playlist);

    MusicController& music_;
    SessionModel& model_;
    const InstallPaths& paths_;
    const IwadRegistry& iwads_;
    const FontSetting& font_;
    Platform& platform_;
    ControlBinder& binder_;
    ListBinder* playlists_ = nullptr;
    QMenu* mPopupMusic = nullptr;         // playlists
    std::vector<QAction*> mcAutoPlaylist; // one per game with an automatic playlist
};

} // namespace krv
