#pragma once
// MusicForm: the playlist editor, modal over the main window. It shows the
// lines of one playlist, one list entry a line, and lets the user assign
// music files or CD tracks to its slots, remove assignments, switch the
// playlist between the Doom and Doom II maps, clone it for both games and
// save it. Every question, dialog and program start goes through the
// Platform port.

#include "launcher/inspect/iwad_registry.h"
#include "launcher/music/playlist_editor.h"
#include "launcher/platform/platform.h"
#include "launcher/startup/install_paths.h"
#include "launcher/ui/launcher_font.h"

#include <QDialog>

#include <array>
#include <functional>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;

namespace krv {

class MusicForm : public QDialog {
    Q_OBJECT
public:
    // `saved` refills the main window's playlist list, selects the saved
    // name and clears "Manual".
    MusicForm(const InstallPaths& paths, const IwadRegistry& iwads, const FontSetting& font,
              Platform& platform, std::function<void(const std::string&)> saved,
              QWidget* owner = nullptr);

    // Loads and activates the editor on a playlist: an opened (checked or
    // rebuilt) one, or, with `isNew` set, the template lines of a new one.
    void Open(EditedPlaylist playlist);
    // Shows the editor modally; returns once it is closed.
    void ShowModal();

    const EditedPlaylist& playlist() const { return playlist_; }

    // The editor's routines.
    void SaveList(const std::string& name);
    void AddMusic();
    void ChooseCdTrack(int index); // rTrack 0-35
    void RemoveSelection();
    void RemoveAll();
    void ToggleMap();
    void Clone();
    void ExitToTextEditor();
    void OpenHelp();
    void OpenReadme();
    void CheckMenu();
    // The Options menu's enabled items, as when the menu opens.
    void CheckOptionsMenu();
    // What a right click on the list does before the popup shows.
    void CheckPopupMenu();

    QLabel* MusicLabel;
    QListWidget* MusicList;
    QMenuBar* MenuBar;
    QAction* mSave;
    QAction* mExit;
    QMenu* mOptions;
    QAction* mMap;
    QAction* mClone;
    QAction* mTextEdit;
    QAction* mHelp;
    QAction* mReadme;
    QMenu* mHidden; // the list's popup
    QAction* mMusic;
    QMenu* mCD;
    std::array<QAction*, 36> rTrack{};
    QAction* mRemove;
    QAction* mAll;

    // Closing by Exit, the close box or Escape asks about unsaved changes.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void showLines(int selectRow);
    void replaceCurrentLine(const std::string& line);
    void changed();

    const InstallPaths& paths_;
    const IwadRegistry& iwads_;
    const FontSetting& font_;
    Platform& platform_;
    std::function<void(const std::string&)> saved_;
    EditedPlaylist playlist_;
    bool skipClosingQuestions_ = false;
};

} // namespace krv
