#include "launcher/music/music_panel.h"

#include "launcher/music/playlist_actions.h"
#include "launcher/music/playlist_auto.h"
#include "launcher/music/playlist_builtin.h"
#include "launcher/music/playlist_format.h"
#include "launcher/ui/panel_controls.h"
#include "launcher/ui/qt_text.h"

#include "common/ci_path.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>

namespace krv {

MusicPanel::MusicPanel(AppState& state, Platform& platform, const PlaylistBoxes& boxes,
                       QWidget* window)
    : QObject(window), state_(state), platform_(platform), boxes_(boxes) {
    buildFrame(window);
    connectControls();
}

void MusicPanel::buildFrame(QWidget* window) {
    SoundFrame[1] = new QGroupBox(QStringLiteral(" Music Playlists "), window);
    auto* music = new QGridLayout(SoundFrame[1]);
    for (QCheckBox* box : {boxes_.autoMode, boxes_.manualMode, boxes_.ignorePlaylist})
        box->setParent(SoundFrame[1]);
    SelectionList = list(SoundFrame[1]);
    const char* musicCaptions[] = {"New", "Edit", "Delete"};
    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        butMusic[i] = new QPushButton(QString::fromLatin1(musicCaptions[i]), SoundFrame[1]);
        buttons->addWidget(butMusic[i]);
    }
    auto* modes = new QHBoxLayout;
    modes->addWidget(boxes_.autoMode);
    modes->addWidget(boxes_.manualMode);
    modes->addStretch();
    music->addLayout(modes, 0, 0);
    music->addWidget(SelectionList, 1, 0);
    music->addLayout(buttons, 2, 0);
    music->addWidget(boxes_.ignorePlaylist, 3, 0);

    // A right click on a playlist makes it the automatic one of an IWAD.
    mPopupMusic = new QMenu(window);
    QMenu* autoMenu = mPopupMusic->addMenu(qs(std::string(kAutoSelectMenu)));
    for (const AutoGameInfo& game : autoGames()) {
        QAction* entry = autoMenu->addAction(QString::fromLatin1(game.menuCaption));
        mcAutoPlaylist.push_back(entry);
        connect(entry, &QAction::triggered, this,
                [this, which = game.game] { AssignAutoPlaylist(static_cast<int>(which)); });
    }
    SelectionList->setContextMenuPolicy(Qt::CustomContextMenu);
}

void MusicPanel::connectControls() {
    connect(SelectionList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        selectPlaylist(state_.settings, item->text().toStdString());
        const QSignalBlocker quiet(boxes_.manualMode);
        boxes_.manualMode->setChecked(state_.settings.playlistManual);
    });
    connect(butMusic[0], &QPushButton::clicked, this, &MusicPanel::NewPlaylist);
    connect(butMusic[1], &QPushButton::clicked, this, &MusicPanel::EditPlaylist);
    connect(butMusic[2], &QPushButton::clicked, this, &MusicPanel::DeletePlaylist);
    connect(boxes_.autoMode, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            boxes_.manualMode->setChecked(false);
        DisableMusic();
    });
    connect(boxes_.manualMode, &QCheckBox::toggled, this, [this](bool on) {
        showManualCaption();
        if (on)
            boxes_.autoMode->setChecked(false);
    });
    // Pressing "Auto" without automatic playlists tells how to make them.
    boxes_.autoMode->installEventFilter(this);
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

bool MusicPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && watched == boxes_.autoMode &&
        !autoPlaylistExists(state_.paths)) {
        showPlaylistMessage(noAutoPlaylistMessage());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void MusicPanel::showManualCaption() {
    boxes_.manualMode->setText(boxes_.manualMode->isChecked() ? QStringLiteral("Load")
                                                              : QStringLiteral("Manual"));
}

void MusicPanel::dropAutoWithoutPlaylists() {
    if (!autoPlaylistExists(state_.paths))
        boxes_.autoMode->setChecked(false);
}

void MusicPanel::DisableMusic() {
    const MusicAvailability allowed = musicAvailability(
        boxes_.soundOff->isChecked(), boxes_.musicOff->isChecked(), boxes_.autoMode->isChecked());
    SoundFrame[1]->setEnabled(allowed.frame);
    SelectionList->setEnabled(allowed.playlists);
    for (QPushButton* button : butMusic)
        button->setEnabled(allowed.playlists);
    boxes_.autoMode->setEnabled(allowed.frame);
    boxes_.manualMode->setEnabled(allowed.playlists);
    boxes_.fmodMidi->setEnabled(allowed.frame);
    boxes_.ignorePlaylist->setEnabled(allowed.frame);
}

void MusicPanel::AssignAutoPlaylist(int game) {
    const QListWidgetItem* item = SelectionList->currentItem();
    if (!item)
        return;
    if (const auto message = assignAutoPlaylist(state_.paths, static_cast<AutoGame>(game),
                                                item->text().toStdString()))
        showPlaylistMessage(*message);
}

void MusicPanel::loadPlaylists() {
    writeBuiltInPlaylists(state_.paths, state_.iwads);
    showPlaylists(listPlaylists(state_.paths, state_.settings.manualPlaylist));
}

void MusicPanel::showPlaylists(const PlaylistListing& listing) {
    SelectionList->clear();
    for (const std::string& name : listing.names)
        SelectionList->addItem(qs(name));
    SelectionList->setCurrentRow(listing.selected);
    const PlaylistControls controls = playlistControls(listing);
    if (controls.clearAuto)
        boxes_.autoMode->setChecked(false);
    DisableMusic();
    const bool musicOn = SoundFrame[1]->isEnabled() && !boxes_.autoMode->isChecked();
    boxes_.autoMode->setEnabled(boxes_.autoMode->isEnabled() && controls.autoEnabled);
    boxes_.manualMode->setEnabled(boxes_.manualMode->isEnabled() && controls.manualEnabled);
    butMusic[1]->setEnabled(musicOn && controls.openEnabled);
    butMusic[2]->setEnabled(musicOn && controls.deleteEnabled);
}

std::vector<std::string> MusicPanel::listedPlaylists() const {
    std::vector<std::string> names;
    for (int i = 0; i < SelectionList->count(); ++i)
        names.push_back(SelectionList->item(i)->text().toStdString());
    return names;
}

void MusicPanel::showPlaylistMessage(const PlaylistMessage& message) {
    platform_.showMessage(message.text, message.style, message.title);
}

// A new playlist from the template of the registered IWADs' map set.
void MusicPanel::NewPlaylist() {
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
void MusicPanel::EditPlaylist() {
    const QListWidgetItem* item = SelectionList->currentItem();
    if (!item)
        return;
    const std::string path = playlistPath(state_.paths, item->text().toStdString());
    if (!path.empty() && ci::isFile(path))
        platform_.startProcess("notepad.exe \"" + ci::resolve(path)->string() + "\"",
                               state_.paths.root);
}

void MusicPanel::DeletePlaylist() {
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

AutoPlaylist MusicPanel::automaticPlaylist(const std::string& iwadPath) const {
    const AutoPlaylistChoice choice = chooseAutoPlaylist(state_.paths, iwadPath, listedPlaylists());
    return {choice.name, choice.found};
}

} // namespace krv
