// The Sound tab's playlists: the built-in playlists of the installed music
// packs, the list of playlists with its selection, the Auto and Manual
// modes, and new, opened and deleted playlists.

#include "launcher/mainwindow/main_form.h"

#include "launcher/music/music_form.h"
#include "launcher/music/playlist_actions.h"
#include "launcher/music/playlist_auto.h"
#include "launcher/music/playlist_builtin.h"
#include "launcher/music/playlist_format.h"
#include "launcher/ui/qt_text.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

namespace krv {

namespace {

// "Auto" and "Manual" read red while checked and near-black otherwise.
void paintModeCaption(QCheckBox* box) {
    const QColor colour = box->isChecked() ? QColor(255, 0, 0) : QColor(18, 0, 0);
    QPalette palette = box->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    box->setPalette(palette);
}

} // namespace

void MainForm::connectMusic() {
    // A click, or the right click that opens the popup, makes the entry the
    // current playlist; another playlist than before clears "Manual".
    const auto choose = [this](const QListWidgetItem* item) {
        const std::string name = ss(item->text());
        if (name != state_.settings.manualPlaylist)
            chkSound[5]->setChecked(false);
        selectPlaylist(state_.settings, name);
    };
    connect(SelectionList, &QListWidget::itemClicked, this, choose);
    connect(SelectionList, &QListWidget::itemDoubleClicked, this, &MainForm::OpenPlaylist);
    connect(butMusic[0], &QPushButton::clicked, this, &MainForm::NewPlaylist);
    connect(butMusic[1], &QPushButton::clicked, this, &MainForm::OpenPlaylist);
    connect(butMusic[2], &QPushButton::clicked, this, &MainForm::DeletePlaylist);
    for (QCheckBox* mode : {chkSound[4], chkSound[5]})
        connect(mode, &QCheckBox::toggled, this, [mode] { paintModeCaption(mode); });
    // "Manual" needs a playlist to load.
    connect(chkSound[5], &QCheckBox::released, this, [this] {
        if (!SelectionList->selectedItems().isEmpty())
            return;
        showPlaylistMessage(noPlaylistSelectedMessage());
        chkSound[5]->setChecked(false);
    });
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
    connect(SelectionList, &QListWidget::customContextMenuRequested, this,
            [this, choose](QPoint at) {
                QListWidgetItem* item = SelectionList->itemAt(at);
                if (!item)
                    return;
                SelectionList->setCurrentItem(item);
                choose(item);
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
    playlistType_ = PlaylistType::Doom2;
    paintModeCaption(chkSound[4]);
    paintModeCaption(chkSound[5]);
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

// A new playlist from the template of the registered IWADs' map set; it
// exists once it is saved in the editor.
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
    const std::string previous = state_.settings.manualPlaylist;
    if (check.name != previous)
        chkSound[5]->setChecked(false);
    selectPlaylist(state_.settings, check.name);
    EditedPlaylist playlist;
    playlist.name = check.name;
    playlist.isNew = true;
    showMusicForm(std::move(playlist));
    // Never saved: the playlist chosen before stays the current one.
    if (!playlistExists(state_.paths, check.name)) {
        chkSound[5]->setChecked(false);
        selectPlaylist(state_.settings, previous);
        showPlaylists(listPlaylists(state_.paths, previous));
    }
}

// Opens the chosen playlist in the editor, rebuilding an older layout and,
// when the user agrees, a current one out of place.
void MainForm::OpenPlaylist() {
    const QListWidgetItem* item = SelectionList->currentItem();
    if (!item)
        return;
    const std::string name = ss(item->text());
    OpenedPlaylist opened = openPlaylist(state_.paths, name, playlistType_);
    if (opened.step == OpenStep::NotFound)
        return;
    playlistType_ = opened.playlist.type;
    if (opened.step == OpenStep::AskRepair) {
        const PlaylistMessage question = nonStandardQuestion();
        if (platform_.showMessage(question.text, question.style, question.title) != msg::kResultYes)
            return;
        repairOpenedPlaylist(opened);
    }
    EditedPlaylist playlist;
    playlist.name = name;
    playlist.type = opened.playlist.type;
    playlist.lines = std::move(opened.playlist.lines);
    playlist.converted = opened.converted;
    showMusicForm(std::move(playlist));
}

void MainForm::showMusicForm(EditedPlaylist playlist) {
    MusicForm form(
        state_, platform_,
        [this](const std::string& saved) {
            showPlaylists(listPlaylists(state_.paths, saved));
            chkSound[5]->setChecked(false);
        },
        this);
    form.Open(std::move(playlist));
    form.ShowModal();
    playlistType_ = form.playlist().type;
    showPlaylists(listPlaylists(state_.paths, state_.settings.manualPlaylist));
}

void MainForm::DeletePlaylist() {
    const QListWidgetItem* item = SelectionList->currentItem();
    if (!item)
        return;
    const std::string name = ss(item->text());
    // Names are UTF-8: upper-cased as text, not byte by byte.
    const PlaylistMessage question = deleteQuestion(ss(item->text().toUpper()));
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
