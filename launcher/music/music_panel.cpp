#include "launcher/music/music_panel.h"

#include "launcher/music/music_form.h"
#include "launcher/music/playlist_actions.h"
#include "launcher/music/playlist_auto.h"
#include "launcher/music/playlist_builtin.h"
#include "launcher/music/playlist_format.h"
#include "launcher/ui/panel_controls.h"
#include "launcher/ui/qt_text.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
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

// A list entry shows its name as UTF-8 text (a name in another encoding with
// replacement characters) and keeps the name's own bytes, which find its file.
constexpr int kNameBytesRole = Qt::UserRole;

std::string playlistName(const QListWidgetItem* item) {
    return item->data(kNameBytesRole).toByteArray().toStdString();
}

} // namespace

MusicPanel::MusicPanel(AppState& state, Platform& platform, const PlaylistBoxes& boxes,
                       QWidget* window)
    : QObject(window), state_(state), platform_(platform), boxes_(boxes), window_(window) {
    buildFrame(window);
    connectControls();
}

void MusicPanel::buildFrame(QWidget* window) {
    SoundFrame[1] = new QGroupBox(QStringLiteral(" Music Playlists "), window);
    auto* music = new QGridLayout(SoundFrame[1]);
    for (QCheckBox* box : {boxes_.autoMode, boxes_.manualMode, boxes_.ignorePlaylist})
        box->setParent(SoundFrame[1]);
    SelectionList = list(SoundFrame[1]);
    const char* musicCaptions[] = {"New", "Open", "Delete"};
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
    // A click, or the right click that opens the popup, makes the entry the
    // current playlist; another playlist than before clears "Manual".
    const auto choose = [this](const QListWidgetItem* item) {
        const std::string name = playlistName(item);
        if (name != state_.settings.manualPlaylist)
            boxes_.manualMode->setChecked(false);
        selectPlaylist(state_.settings, name);
    };
    connect(SelectionList, &QListWidget::itemClicked, this, choose);
    connect(SelectionList, &QListWidget::itemDoubleClicked, this, &MusicPanel::OpenPlaylist);
    connect(butMusic[0], &QPushButton::clicked, this, &MusicPanel::NewPlaylist);
    connect(butMusic[1], &QPushButton::clicked, this, &MusicPanel::OpenPlaylist);
    connect(butMusic[2], &QPushButton::clicked, this, &MusicPanel::DeletePlaylist);
    // The controls follow the boxes however they change; one mode clears
    // the other only when the player ticks it, so that stored settings with
    // both modes on come back as they were.
    connect(boxes_.autoMode, &QCheckBox::toggled, this, &MusicPanel::DisableMusic);
    connect(boxes_.manualMode, &QCheckBox::toggled, this, &MusicPanel::showManualCaption);
    connect(boxes_.autoMode, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            boxes_.manualMode->setChecked(false);
    });
    connect(boxes_.manualMode, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            boxes_.autoMode->setChecked(false);
    });
    for (QCheckBox* mode : {boxes_.autoMode, boxes_.manualMode})
        connect(mode, &QCheckBox::toggled, this, [mode] { paintModeCaption(mode); });
    // "Manual" needs a playlist to load.
    connect(boxes_.manualMode, &QCheckBox::released, this, [this] {
        if (!SelectionList->selectedItems().isEmpty())
            return;
        showPlaylistMessage(noPlaylistSelectedMessage());
        boxes_.manualMode->setChecked(false);
    });
    // Pressing "Auto" without automatic playlists tells how to make them.
    boxes_.autoMode->installEventFilter(this);
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
    // The modes and the buttons that work on a playlist need one listed.
    const PlaylistControls listed = playlistControls({listedPlaylists(), -1});
    SoundFrame[1]->setEnabled(allowed.frame);
    SelectionList->setEnabled(allowed.playlists);
    butMusic[0]->setEnabled(allowed.playlists);
    butMusic[1]->setEnabled(allowed.playlists && listed.openEnabled);
    butMusic[2]->setEnabled(allowed.playlists && listed.deleteEnabled);
    boxes_.autoMode->setEnabled(allowed.frame && listed.autoEnabled);
    boxes_.manualMode->setEnabled(allowed.frame && listed.manualEnabled);
    boxes_.fmodMidi->setEnabled(allowed.frame);
    boxes_.ignorePlaylist->setEnabled(allowed.frame);
}

void MusicPanel::AssignAutoPlaylist(int game) {
    const QListWidgetItem* item = SelectionList->currentItem();
    if (!item)
        return;
    if (const auto message =
            assignAutoPlaylist(state_.paths, static_cast<AutoGame>(game), playlistName(item)))
        showPlaylistMessage(*message);
}

void MusicPanel::loadPlaylists() {
    playlistType_ = PlaylistType::Doom2;
    paintModeCaption(boxes_.autoMode);
    paintModeCaption(boxes_.manualMode);
    writeBuiltInPlaylists(state_.paths, state_.iwads);
    showPlaylists(listPlaylists(state_.paths, state_.settings.manualPlaylist));
}

void MusicPanel::showPlaylists(const PlaylistListing& listing) {
    SelectionList->clear();
    for (const std::string& name : listing.names) {
        auto* item = new QListWidgetItem(qs(name), SelectionList);
        item->setData(kNameBytesRole, QByteArray::fromStdString(name));
    }
    SelectionList->setCurrentRow(listing.selected);
    const PlaylistControls controls = playlistControls(listing);
    if (controls.clearAuto)
        boxes_.autoMode->setChecked(false);
    DisableMusic();
}

std::vector<std::string> MusicPanel::listedPlaylists() const {
    std::vector<std::string> names;
    for (int i = 0; i < SelectionList->count(); ++i)
        names.push_back(playlistName(SelectionList->item(i)));
    return names;
}

void MusicPanel::showPlaylistMessage(const PlaylistMessage& message) {
    platform_.showMessage(message.text, message.style, message.title);
}

// A new playlist from the template of the registered IWADs' map set; it
// exists once it is saved in the editor.
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
    // The new name becomes the current playlist; "Manual" is left to the
    // save, which clears it, and to a click on another entry.
    state_.settings.manualPlaylist = check.name;
    EditedPlaylist playlist;
    playlist.name = check.name;
    playlist.isNew = true;
    showMusicForm(std::move(playlist));
}

// Opens the chosen playlist in the editor, rebuilding an older layout and,
// when the user agrees, a current one out of place.
void MusicPanel::OpenPlaylist() {
    const QListWidgetItem* item = SelectionList->currentItem();
    if (!item)
        return;
    const std::string name = playlistName(item);
    OpenedPlaylist opened = openPlaylist(state_.paths, name, playlistType_);
    if (opened.step == OpenStep::NotFound)
        return;
    if (opened.step == OpenStep::Unreadable) {
        showPlaylistMessage(opened.refusal);
        return;
    }
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
    if (opened.truncated)
        playlist.restAt = opened.restAt;
    showMusicForm(std::move(playlist));
}

void MusicPanel::showMusicForm(EditedPlaylist playlist) {
    MusicForm form(
        state_, platform_,
        [this](const std::string& saved) {
            showPlaylists(listPlaylists(state_.paths, saved));
            boxes_.manualMode->setChecked(false);
        },
        window_);
    form.Open(std::move(playlist));
    form.ShowModal();
    playlistType_ = form.playlist().type;
    showPlaylists(listPlaylists(state_.paths, state_.settings.manualPlaylist));
}

void MusicPanel::DeletePlaylist() {
    const QListWidgetItem* item = SelectionList->currentItem();
    if (!item)
        return;
    const std::string name = playlistName(item);
    // Names are UTF-8: upper-cased as text, not byte by byte.
    const PlaylistMessage question = deleteQuestion(ss(item->text().toUpper()));
    if (platform_.showMessage(question.text, question.style, question.title) != msg::kResultYes)
        return;
    const DeleteResult result = deletePlaylist(state_.paths, name);
    showPlaylists(result.listing);
}

// The automatic playlist of the IWAD being launched, among those listed.
AutoPlaylist MusicPanel::automaticPlaylist(const std::string& iwadPath) const {
    const AutoPlaylistChoice choice = chooseAutoPlaylist(state_.paths, iwadPath, listedPlaylists());
    return {choice.name, choice.found};
}

} // namespace krv
