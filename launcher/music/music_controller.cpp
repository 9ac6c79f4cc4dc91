#include "launcher/music/music_controller.h"

#include "launcher/music/music_controls.h"
#include "launcher/music/playlist_actions.h"
#include "launcher/music/playlist_auto.h"
#include "launcher/music/playlist_builtin.h"
#include "launcher/music/playlist_format.h"
#include "launcher/options/option_controls.h"

namespace krv {

using namespace ids;

namespace {

// "Auto" and "Manual" read red while checked and near-black otherwise.
constexpr CaptionColour kModeOn{255, 0, 0};
constexpr CaptionColour kModeOff{18, 0, 0};

constexpr ControlId kSoundOff = chkSound[0];
constexpr ControlId kMusicOff = chkSound[1];
constexpr ControlId kAutoMode = chkSound[4];
constexpr ControlId kManualMode = chkSound[5];
constexpr ControlId kFmodMidi = chkSound[9];
constexpr ControlId kIgnorePlaylist = chkSound[10];

} // namespace

MusicController::MusicController(SessionModel& model, const InstallPaths& paths,
                                 const IwadRegistry& iwads, Platform& platform)
    : model_(model), c_(model.controls), paths_(paths), iwads_(iwads), platform_(platform) {
    declareMusicControls(c_);
    followModes();
}

// The controls follow the boxes however they change; one mode clears the
// other only when the player ticks it, so that stored settings with both
// modes on come back as they were.
void MusicController::followModes() {
    c_.onToggled(kAutoMode, [this](bool) { DisableMusic(); });
    c_.onToggled(kManualMode, [this](bool) { showManualCaption(); });
    c_.onClicked(kAutoMode, [this](bool on) {
        if (on)
            c_.setChecked(kManualMode, false);
    });
    c_.onClicked(kManualMode, [this](bool on) {
        if (on)
            c_.setChecked(kAutoMode, false);
    });
    for (ControlId mode : {kAutoMode, kManualMode})
        c_.onToggled(mode, [this, mode](bool on) { c_.setColour(mode, on ? kModeOn : kModeOff); });
    // "Manual" needs a playlist to load.
    c_.onReleased(kManualMode, [this] {
        if (model_.playlists.selectedRow() >= 0)
            return;
        showMessage(noPlaylistSelectedMessage());
        c_.setChecked(kManualMode, false);
    });
}

void MusicController::showMessage(const PlaylistMessage& message) {
    platform_.showMessage(message.text, message.style, message.title);
}

void MusicController::paintModeCaptions() {
    for (ControlId mode : {kAutoMode, kManualMode})
        c_.setColour(mode, c_.isChecked(mode) ? kModeOn : kModeOff);
}

bool MusicController::pressAutoMode() {
    if (autoPlaylistExists(paths_))
        return true;
    showMessage(noAutoPlaylistMessage());
    return false;
}

void MusicController::showManualCaption() {
    c_.setText(kManualMode, c_.isChecked(kManualMode) ? "Load" : "Manual");
}

void MusicController::dropAutoWithoutPlaylists() {
    if (!autoPlaylistExists(paths_))
        c_.setChecked(kAutoMode, false);
}

void MusicController::DisableMusic() {
    const MusicAvailability allowed = musicAvailability(
        c_.isChecked(kSoundOff), c_.isChecked(kMusicOff), c_.isChecked(kAutoMode));
    // The modes and the buttons that work on a playlist need one listed.
    const PlaylistControls listed = playlistControls({model_.playlists.texts(), -1});
    c_.setEnabled(SoundFrame[1], allowed.frame);
    c_.setEnabled(SelectionList, allowed.playlists);
    c_.setEnabled(butMusic[0], allowed.playlists);
    c_.setEnabled(butMusic[1], allowed.playlists && listed.openEnabled);
    c_.setEnabled(butMusic[2], allowed.playlists && listed.deleteEnabled);
    c_.setEnabled(kAutoMode, allowed.frame && listed.autoEnabled);
    c_.setEnabled(kManualMode, allowed.frame && listed.manualEnabled);
    c_.setEnabled(kFmodMidi, allowed.frame);
    c_.setEnabled(kIgnorePlaylist, allowed.frame);
}

std::string MusicController::currentName() const {
    return model_.playlists.currentText();
}

void MusicController::choosePlaylist(int row) {
    if (row < 0 || row >= model_.playlists.count())
        return;
    model_.playlists.setCurrentRow(row);
    const std::string name = model_.playlists.text(row);
    if (name != model_.settings.manualPlaylist)
        c_.setChecked(kManualMode, false);
    selectPlaylist(model_.settings, name);
}

void MusicController::AssignAutoPlaylist(int game) {
    if (model_.playlists.currentRow() < 0)
        return;
    if (const auto message = assignAutoPlaylist(paths_, static_cast<AutoGame>(game), currentName()))
        showMessage(*message);
}

std::vector<bool> MusicController::autoMenuEntries() const {
    const auto enabled = autoSelectEntriesEnabled(iwads_);
    return std::vector<bool>(enabled.begin(), enabled.end());
}

void MusicController::loadPlaylists() {
    playlistType_ = PlaylistType::Doom2;
    paintModeCaptions();
    writeBuiltInPlaylists(paths_, iwads_);
    showPlaylists(listPlaylists(paths_, model_.settings.manualPlaylist));
}

void MusicController::showPlaylists(const PlaylistListing& listing) {
    model_.playlists.fill(listing.names);
    model_.playlists.setCurrentRow(listing.selected);
    if (playlistControls(listing).clearAuto)
        c_.setChecked(kAutoMode, false);
    DisableMusic();
}

// A new playlist from the template of the registered IWADs' map set; it
// exists once it is saved in the editor.
std::optional<EditedPlaylist> MusicController::NewPlaylist() {
    const NamePromptResult answer = platform_.askName(newPlaylistPrompt());
    if (answer.cancelled)
        return std::nullopt;
    const NewPlaylistCheck check = checkNewPlaylistName(paths_, answer.name);
    if (check.step == NewPlaylistStep::Cancelled)
        return std::nullopt;
    if (check.step == NewPlaylistStep::Refused) {
        showMessage(check.message);
        return std::nullopt;
    }
    if (check.step == NewPlaylistStep::AskOverwrite &&
        platform_.showMessage(check.message.text, check.message.style, check.message.title) !=
            msg::kResultYes)
        return std::nullopt;
    // The new name becomes the current playlist; "Manual" is left to the
    // save, which clears it, and to a click on another entry.
    model_.settings.manualPlaylist = check.name;
    EditedPlaylist playlist;
    playlist.name = check.name;
    playlist.isNew = true;
    return playlist;
}

// Opens the chosen playlist, rebuilding an older layout and, when the user
// agrees, a current one out of place.
std::optional<EditedPlaylist> MusicController::OpenPlaylist() {
    if (model_.playlists.currentRow() < 0)
        return std::nullopt;
    const std::string name = currentName();
    OpenedPlaylist opened = openPlaylist(paths_, name, playlistType_);
    if (opened.step == OpenStep::NotFound)
        return std::nullopt;
    if (opened.step == OpenStep::Unreadable) {
        showMessage(opened.refusal);
        return std::nullopt;
    }
    playlistType_ = opened.playlist.type;
    if (opened.step == OpenStep::AskRepair) {
        const PlaylistMessage question = nonStandardQuestion();
        if (platform_.showMessage(question.text, question.style, question.title) != msg::kResultYes)
            return std::nullopt;
        repairOpenedPlaylist(opened);
    }
    EditedPlaylist playlist;
    playlist.name = name;
    playlist.type = opened.playlist.type;
    playlist.lines = std::move(opened.playlist.lines);
    playlist.converted = opened.converted;
    if (opened.truncated)
        playlist.restAt = opened.restAt;
    return playlist;
}

void MusicController::playlistSaved(const std::string& name) {
    showPlaylists(listPlaylists(paths_, name));
    c_.setChecked(kManualMode, false);
}

void MusicController::editorClosed(PlaylistType type) {
    playlistType_ = type;
    showPlaylists(listPlaylists(paths_, model_.settings.manualPlaylist));
}

void MusicController::DeletePlaylist(const std::string& shownName) {
    if (model_.playlists.currentRow() < 0)
        return;
    const std::string name = currentName();
    const PlaylistMessage question = deleteQuestion(shownName);
    if (platform_.showMessage(question.text, question.style, question.title) != msg::kResultYes)
        return;
    showPlaylists(deletePlaylist(paths_, name).listing);
}

AutoPlaylist MusicController::automaticPlaylist(const std::string& iwadPath) const {
    const AutoPlaylistChoice choice =
        chooseAutoPlaylist(paths_, iwadPath, model_.playlists.texts());
    return {choice.name, choice.found};
}

} // namespace krv
