// The Sound tab's playlists: the built-in playlists of the installed music
// packs, the list of playlists with its selection, the Auto and Manual
// modes, and new and deleted playlists.

#include "launcher/mainwindow/main_form.h"

#include "launcher/music/playlist_actions.h"
#include "launcher/music/playlist_auto.h"
#include "launcher/music/playlist_builtin.h"
#include "launcher/music/playlist_format.h"
#include "launcher/ui/qt_text.h"

#include "common/ci_path.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>

namespace krv {

void MainForm::connectMusic() {
    connect(SelectionList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        selectPlaylist(state_.settings, item->text().toStdString());
        const QSignalBlocker quiet(chkSound[5]);
        chkSound[5]->setChecked(state_.settings.playlistManual);
    });
    connect(butMusic[0], &QPushButton::clicked, this, &MainForm::NewPlaylist);
    connect(butMusic[1], &QPushButton::clicked, this, &MainForm::EditPlaylist);
    connect(butMusic[2], &QPushButton::clicked, this, &MainForm::DeletePlaylist);
    // Pressing "Auto" without automatic playlists tells how to make them.
    chkSound[4]->installEventFilter(this);
    // A right click on a playlist makes it the automatic one of an IWAD.
    mPopupMusic = new QMenu(this);
    QMenu* autoMenu = mPopupMusic->addMenu(qs(std::string(kAutoSelectMenu)));
    for (const AutoGameInfo& game : autoGames()) {
        QAction* entry = autoMenu->addAction(QString::fromLatin1(game.menuCaption));
        mcAutoPlaylist.push_back(entry);
        connect(entry, &QAction::triggered, this,
                [this, which = game.game] { AssignAutoPlaylist(static_cast<int>(which)); });
    }
    SelectionList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SelectionList, &QListWidget::customContextMenuRequested, this, [this](QPoint at) {
        if (!SelectionList->itemAt(at))
            return;
        SelectionList->setCurrentItem(SelectionList->itemAt(at));
        const auto enabled = autoSelectEntriesEnabled(state_.iwads);
        for (std::size_t i = 0; i < mcAutoPlaylist.size(); ++i)
            mcAutoPlaylist[i]->setEnabled(enabled[i]);
        mPopupMusic->popup(SelectionList->viewport()->mapToGlobal(at));
    });
}

void MainForm::AssignAutoPlaylist(int game) {
    const QListWidgetItem* item = SelectionList->currentItem();
    if (!item)
        return;
    if (const auto message = assignAutoPlaylist(state_.paths, static_cast<AutoGame>(game),
                                                item->text().toStdString()))
        showPlaylistMessage(*message);
}

void MainForm::loadPlaylists() {
    writeBuiltInPlaylists(state_.paths, state_.iwads);
    showPlaylists(listPlaylists(state_.paths, state_.settings.manualPlaylist));
}

void MainForm::showPlaylists(const PlaylistListing& listing) {
    SelectionList->clear();
    for (const std::string& name : listing.names)
        SelectionList->addItem(qs(name));
    SelectionList->setCurrentRow(listing.selected);
    const PlaylistControls controls = playlistControls(listing);
    if (controls.clearAuto)
        chkSound[4]->setChecked(false);
    DisableMusic();
    const bool musicOn = SoundFrame[1]->isEnabled() && !chkSound[4]->isChecked();
    chkSound[4]->setEnabled(chkSound[4]->isEnabled() && controls.autoEnabled);
    chkSound[5]->setEnabled(chkSound[5]->isEnabled() && controls.manualEnabled);
    butMusic[1]->setEnabled(musicOn && controls.openEnabled);
    butMusic[2]->setEnabled(musicOn && controls.deleteEnabled);
}

std::vector<std::string> MainForm::listedPlaylists() const {
    std::vector<std::string> names;
    for (int i = 0; i < SelectionList->count(); ++i)
        names.push_back(SelectionList->item(i)->text().toStdString());
    return names;
}

void MainForm::showPlaylistMessage(const PlaylistMessage& message) {
    platform_.showMessage(message.text, message.style, message.title);
}

// A new playlist from the template of the registered IWADs' map set.
void MainForm::NewPlaylist() {
    const NamePromptResult answer = platform_.askName(newPlaylistPrompt());
    if (answer.cancelled)
        return;
    const NewPlaylistCheck check = checkNewPlaylistName(state_.paths, answer.name);
    if (check.step == NewPlaylistStep::Cancelled)
        return;
    if (check.step == NewPlaylistStep::Refused) {
        showPlaylistMessage(check.message);
        return;
    }
    if (check.step == NewPlaylistStep::AskOverwrite &&
        platform_.showMessage(check.message.text, check.message.style, check.message.title) !=
            msg::kResultYes)
        return;
    const PlaylistLines playlist = newPlaylistTemplate(state_.iwads);
    writePlaylist(state_.paths, check.name, playlist.lines);
    selectPlaylist(state_.settings, check.name);
    showPlaylists(listPlaylists(state_.paths, check.name));
}

// Until the playlist editor joins the launcher, a playlist opens in the
// plain text editor: its lines are "<slot> <music file>" as written.
void MainForm::EditPlaylist() {
    const QListWidgetItem* item = SelectionList->currentItem();
    if (!item)
        return;
    const std::string path = playlistPath(state_.paths, item->text().toStdString());
    if (!path.empty() && ci::isFile(path))
        platform_.startProcess("notepad.exe \"" + ci::resolve(path)->string() + "\"",
                               state_.paths.root);
}

void MainForm::DeletePlaylist() {
    const QListWidgetItem* item = SelectionList->currentItem();
    if (!item)
        return;
    const std::string name = item->text().toStdString();
    const PlaylistMessage question = deleteQuestion(name);
    if (platform_.showMessage(question.text, question.style, question.title) != msg::kResultYes)
        return;
    const DeleteResult result = deletePlaylist(state_.paths, name);
    showPlaylists(result.listing);
}

// The automatic playlist of the IWAD being launched, among those listed.
AutoPlaylist MainForm::automaticPlaylist(const std::string& iwadPath) const {
    const AutoPlaylistChoice choice = chooseAutoPlaylist(state_.paths, iwadPath, listedPlaylists());
    return {choice.name, choice.found};
}

} // namespace krv
