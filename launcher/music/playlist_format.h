#pragma once
// Playlists: small text files in the launcher's music folder that tell the
// engine which music file plays in each Doom music slot (the intermission,
// title and finale lumps and every map). One item a line: a blank line, a
// heading (" #" and a caption, meaningless to every reader but placed at
// fixed positions), or an entry (a slot key, optionally followed by a music
// file reference or a CD track). The editor and the repair rely on the
// canonical layout built here.

#include "launcher/startup/install_paths.h"

#include "common/text_file.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace krv {

inline constexpr std::string_view kPlaylistExtension = ".krm";
// The editor reads no more than this many lines of a playlist.
inline constexpr std::size_t kPlaylistOpenLines = 301;

// A message or question the GUI shows through the message-box routine; the
// style uses the values of `msg` in launcher/platform/platform.h.
struct PlaylistMessage {
    std::string title;
    std::string text;
    int style = 0;
    bool operator==(const PlaylistMessage&) const = default;
};

// Which map sets a playlist covers: Doom maps only, Doom II maps only, or
// both (the Doom section followed by the Doom II section).
enum class PlaylistType { Doom, Doom2, Mixed };
std::string_view playlistTypeName(PlaylistType type); // "Doom", "Doom2", "Mixed"

// The two sections of the canonical layout.
enum class MapSet { Doom, Doom2 };

// The slot keys of a section, in layout order: the intermission lumps
// (five for Doom, four for Doom II) and the maps (E1M1 ... E4M9, or
// MAP01 ... MAP32).
std::span<const std::string_view> intermissionKeys(MapSet set);
std::vector<std::string> mapKeys(MapSet set);

// Line classes; every test ignores case.
bool isIntermissionLine(std::string_view line); // starts with one of the nine lumps
bool marksCurrentLayout(std::string_view line); // starts with D_DM2TTL or D_BUNNY
bool isDoomMapLine(std::string_view line);      // starts with "E"
bool isDoom2MapLine(std::string_view line);     // starts with "MAP"

// The slot key of an entry: the text before the first space, or the whole
// line.
std::string_view entryKey(std::string_view line);

// Music file types the engine plays, by extension without the dot.
bool isAcceptedMusicType(std::string_view extension);

// Entries: the bare key, the key and a bare path (built-in playlists), the
// key and a quoted path (the editor), or the key and a CD track 1-36.
std::string bareEntry(std::string_view key);
std::string entryWithPath(std::string_view key, std::string_view path);
std::string entryWithQuotedPath(std::string_view key, std::string_view path);
std::string entryWithCdTrack(std::string_view key, int track);

// Headings: the built-in playlists write " # -  " before the caption, the
// editor and the repair " # ".
enum class HeadingStyle { BuiltIn, Editor };
struct SectionHeadings {
    std::string intermission; // " # INTERMISSION MUSIC FOR DOOM II"
    std::string maps;         // " # MAP MUSIC FOR DOOM II"
};
// `game` is "DOOM", "DOOM II", "PLUTONIA" or "TNT".
SectionHeadings sectionHeadings(HeadingStyle style, std::string_view game);

// Gives the line of a slot for its key.
using SlotEntry = std::function<std::string(std::string_view key)>;

// The eleven lines that stand in front of a section's map lines: blank,
// intermission heading, blank, the intermission entries, the blank line(s),
// map heading, blank.
std::vector<std::string> sectionHeadLines(MapSet set, const SectionHeadings& headings,
                                          const SlotEntry& entry);

// A whole section of the canonical layout: the head, the map entries and,
// for Doom II, one closing blank line (47 lines for Doom, 44 for Doom II).
std::vector<std::string> sectionLines(MapSet set, const SectionHeadings& headings,
                                      const SlotEntry& entry);

// A playlist name is the base name of a file in the music folder that the
// common usable-name check accepts: one path component that can stand as a
// quoted word on the engine's command line and as a line of a text file.
// Every such playlist is listed, opened and deleted.
bool isSafePlaylistName(std::string_view name);

// What keeps a name typed for a new playlist from being used. Besides what
// the usable-name check refuses, a new name keeps clear of the characters
// Windows refuses in file names and of names of dots and blanks only, which
// Windows drops, so that the playlist serves an installation tree shared
// with Windows.
enum class NewNameProblem { None, TooLong, ForbiddenCharacter, DotsAndBlanksOnly };
NewNameProblem newPlaylistNameProblem(std::string_view name);

// "<music folder><name>.krm".
std::string playlistPath(const InstallPaths& paths, std::string_view name);
bool playlistExists(const InstallPaths& paths, std::string_view name);

// Creates the music folder when it is missing. True when it exists.
bool ensureMusicFolder(const InstallPaths& paths);

struct PlaylistText {
    IoStatus status = IoStatus::Other;
    std::vector<std::string> lines;
    bool truncated = false;   // the file held more lines than were read
    std::uint64_t restAt = 0; // where the lines not read begin, in bytes
};

// Reads at most `maxLines` lines of a playlist, however long its file; only
// lines longer than the list cap together make it TooLarge.
PlaylistText readPlaylist(const InstallPaths& paths, std::string_view name,
                          std::size_t maxLines = kPlaylistOpenLines);

// Writes a playlist whole (CR LF), creating the music folder first. An
// unsafe name writes nothing and answers AccessDenied.
IoStatus writePlaylist(const InstallPaths& paths, std::string_view name,
                       const std::vector<std::string>& lines);

// Writes the lines in place of the first `restAt` bytes of the playlist's
// file and keeps the rest of it (the lines the editor did not read) byte for
// byte; `restAt` then tells where that rest begins in the new file.
IoStatus writePlaylistKeepingRest(const InstallPaths& paths, std::string_view name,
                                  const std::vector<std::string>& lines, std::uint64_t& restAt);

// Deletes a playlist's file if it exists. False for an unsafe name or a file
// that could not be removed.
bool deletePlaylistFile(const InstallPaths& paths, std::string_view name);

// The folder a music file was last added from ("music.krv"); empty when it
// is not set or no longer names a folder.
std::string readLastMusicFolder(const InstallPaths& paths);
IoStatus writeLastMusicFolder(const InstallPaths& paths, const std::string& folder);

} // namespace krv
