#pragma once
// The playlist editor's work on the lines of one playlist, without widgets:
// which menu items it offers, adding music files and CD tracks, removing
// assignments, turning a Doom playlist into a Doom II one and back, cloning
// it into a playlist for both games, and the questions asked on closing.

#include "launcher/music/playlist_format.h"
#include "launcher/platform/platform.h"
#include "launcher/startup/install_paths.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krv {

// The playlist open in the editor and the editor's flags.
struct EditedPlaylist {
    std::string name;
    PlaylistType type = PlaylistType::Doom2;
    std::vector<std::string> lines;     // MusicList
    std::vector<std::string> cloneList; // lines set aside by a Doom to Doom II toggle
    std::string artistFolder;           // the music pack's folder, if the name is a pack's
    bool unsaved = false;
    bool converted = false; // rebuilt on opening: offer to save the new layout
    bool isNew = false;     // never saved yet
    // Set when the file goes on after the lines read: its bytes from here
    // on are kept after the lines when the playlist is saved.
    std::optional<std::uint64_t> restAt;
};

// ---- Lines ----

// The music part of an entry: from its first space to the end, for lines of
// at least ten characters; otherwise empty.
std::string GetMusicString(std::string_view line);

// The Doom II key of a Doom map (type Doom: E1M1 -> MAP01 ... E4M5 -> MAP32)
// or the Doom key of a Doom II map (type Doom2); nothing for E4M6-E4M9, for
// other keys and for a Mixed playlist.
std::optional<std::string> GetNewMap(std::string_view key, PlaylistType type);

// True when the lines hold both Doom II ("M") and Doom ("E") map lines.
bool MixedMapTypes(const std::vector<std::string>& lines);

// Lines that take a music file: the lumps ("D_") and the maps.
bool takesMusic(std::string_view line);

// The line with its key only, its music removed.
std::string withoutMusic(std::string_view line);

// ---- Menus ----

// The pack folder of a playlist whose name begins like a pack's (its first
// four characters, ignoring case); otherwise `previous`.
std::string GetListPath(const InstallPaths& paths, std::string_view name,
                        const std::string& previous);

// One of the seven built-in playlists whose conversions the editor refuses
// and whose pack readme it offers (ignoring case).
bool isBuiltInPlaylist(std::string_view name);

// "Readme": shown for a built-in playlist whose pack folder holds readme.txt.
std::optional<std::string> readmeFile(const EditedPlaylist& playlist);
// "Help": the data folder's playlist.txt, when it exists.
std::optional<std::string> playlistHelpFile(const InstallPaths& paths);

// "Toggle map types" and "Clone playlist": not for built-in playlists nor
// for lines of both map sets.
bool canConvert(const EditedPlaylist& playlist);

// The command line that opens a text file in Notepad.
std::string notepadCommand(const std::string& file);

// "Exit out to notepad": the command lines to try in turn, each with the
// playlist file: the program on the first line of the data folder's
// editor.krv when it names an existing program, then Notepad (so that a
// program that will not start gives way to it). Empty when the playlist file
// does not exist.
std::vector<std::string> textEditorCommands(const InstallPaths& paths, std::string_view name);

// ---- Adding music ----

// The add-music file dialog, starting in `lastFolder` or the music folder.
OpenFileRequest addMusicRequest(const InstallPaths& paths, const std::string& lastFolder);

struct AddedMusic {
    // Why the file cannot be added: show this message and change nothing.
    std::optional<PlaylistMessage> refusal;
    std::string line;   // the rewritten line
    std::string folder; // the chosen file's folder, remembered in music.krv
};
// The line for a chosen file: its key and the file's path in double quotes,
// the installation root cut off a path inside it. Refused are other file
// types, and paths with a double quote or a control character, which the
// quoted entry on its one line cannot hold.
AddedMusic addMusicFile(const InstallPaths& paths, std::string_view line, const std::string& file);

// The line playing CD track `track` (1-36).
std::string cdTrackLine(std::string_view line, int track);

// ---- Conversions ----

// Turns a Doom playlist into a Doom II playlist, setting D_VICTOR and
// E4M6-E4M9 aside in cloneList, or a Doom II playlist back into a Doom
// playlist, taking those lines back when they were set aside since the editor
// opened. Marks the playlist changed; does nothing for a Mixed playlist.
void ToggleMap(EditedPlaylist& playlist);

// Adds the other game's section so that the playlist serves both games, the
// Doom section first. Marks the playlist changed.
void Clone(EditedPlaylist& playlist);
PlaylistMessage cloneQuestion();

// ---- Saving and closing ----

PlaylistMessage saveFailedMessage();

// The question asked when the editor closes, if any: unsaved changes first
// (which drops the converted flag), else a converted layout.
std::optional<PlaylistMessage> closingQuestion(EditedPlaylist& playlist);

} // namespace krv
