#pragma once
// The three playlist actions of the Sound tab - New, Open and Delete - and
// the repair that puts an older or damaged playlist into the canonical
// layout before the editor shows it.

#include "launcher/inspect/iwad_registry.h"
#include "launcher/music/playlist_auto.h"
#include "launcher/music/playlist_format.h"
#include "launcher/platform/platform.h"
#include "launcher/startup/install_paths.h"

#include <string>
#include <string_view>
#include <vector>

namespace krv {

// ---- New ----

// The name prompt of "New".
NamePrompt newPlaylistPrompt();

enum class NewPlaylistStep {
    Cancelled,    // nothing entered
    Refused,      // the name is not a safe file name: show `message`
    AskOverwrite, // the playlist exists: ask `message`; "No" cancels
    Ready,        // open the editor with `name`
};
struct NewPlaylistCheck {
    NewPlaylistStep step = NewPlaylistStep::Cancelled;
    std::string name; // the entered text without a ".krm" ending
    PlaylistMessage message;
};
NewPlaylistCheck checkNewPlaylistName(const InstallPaths& paths, std::string_view entered);

struct PlaylistLines {
    PlaylistType type = PlaylistType::Doom2;
    std::vector<std::string> lines;
};

// The lines a new playlist starts from: with the Doom IWAD registered the
// Doom section and one blank line, otherwise the Doom II section; editor
// headings and bare keys.
PlaylistLines newPlaylistTemplate(const IwadRegistry& iwads);

// ---- Open ----

enum class OpenStep {
    NotFound,   // the file is gone: nothing opens
    Unreadable, // the file could not be read: show `refusal`, nothing opens
    Ready,      // open the editor with `lines`
    AskRepair,  // a current-layout playlist out of place: ask nonStandardQuestion()
};
struct OpenedPlaylist {
    OpenStep step = OpenStep::NotFound;
    PlaylistLines playlist;
    bool converted = false; // rebuilt: the editor offers to save the new layout
    // Longer than the editor reads: saving keeps the file's bytes from
    // `restAt` on after the lines.
    bool truncated = false;
    std::uint64_t restAt = 0;
    PlaylistMessage refusal;
};

// Reads the first lines of a playlist, classifies it and rebuilds a playlist
// of the older layout at once. `previousType` stays the type when no line
// names a map. A file that cannot be read is not opened: an editor showing a
// template in its place would offer to save the template over it.
OpenedPlaylist openPlaylist(const InstallPaths& paths, std::string_view name,
                            PlaylistType previousType);

PlaylistMessage nonStandardQuestion();

// The user agreed to the repair of an AskRepair answer: rebuilds it and
// makes it Ready and converted.
void repairOpenedPlaylist(OpenedPlaylist& opened);

// The type of the map lines, or nothing when no line names a map.
std::optional<PlaylistType> playlistTypeOf(const std::vector<std::string>& lines);

// True when a current-layout playlist of `type` has its landmark maps on
// their canonical lines.
bool hasStandardLayout(const std::vector<std::string>& lines, PlaylistType type);

// Rebuilds the lines into the canonical layout of `type`, keeping the music
// of each intermission lump and each map.
std::vector<std::string> rebuildPlaylist(const std::vector<std::string>& lines, PlaylistType type);

// The line when it is an intermission entry, else the empty string.
std::string GetInterMusic(std::string_view line);
// The last line of `cloneList` whose key is `lump` (ignoring case), or the
// bare lump name.
std::string ReplaceInterMusic(const std::vector<std::string>& cloneList, std::string_view lump);
// Puts map lines into the canonical order of `type`: every expected key in
// its place, taking the first line of that key or the bare key, and the
// lines of no expected key (or repeated ones) after them in their order.
void CheckMapStructure(std::vector<std::string>& musicList, PlaylistType type);

// ---- Delete ----

PlaylistMessage deleteQuestion(std::string_view name);

// Deletes the playlist's file after the user agreed, then lists the
// playlists again with the last one selected.
struct DeleteResult {
    bool deleted = false; // no file of that name remains
    PlaylistListing listing;
};
DeleteResult deletePlaylist(const InstallPaths& paths, std::string_view name);

} // namespace krv
