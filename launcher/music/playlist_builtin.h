#pragma once
// The built-in playlists of the four optional music packs. Each pack is a
// folder of Ogg Vorbis files under "OggVorbis" in the installation root; the
// launcher writes the pack's playlists at every start while that folder
// exists and removes them when it is gone.

#include "launcher/inspect/iwad_registry.h"
#include "launcher/startup/install_paths.h"

#include <string>
#include <string_view>
#include <vector>

namespace krv {

// In the order the start-up writes them.
enum class MusicPack { Dunmore, Tiber, Moldwin, KVane };
inline constexpr MusicPack kMusicPacks[] = {MusicPack::Dunmore, MusicPack::Tiber,
                                            MusicPack::Moldwin, MusicPack::KVane};

// The pack's folder name under "OggVorbis" ("K-Vane").
std::string_view artistName(MusicPack pack);
// "<root>/OggVorbis/<artist>".
std::string artistFolder(const InstallPaths& paths, MusicPack pack);

// The names of the pack's playlists, or of all seven built-in playlists.
std::vector<std::string> builtInPlaylistNames(MusicPack pack);
std::vector<std::string> builtInPlaylistNames();

// The lines of one of the pack's playlists (empty for a name not of the
// pack). Entries name the music files relative to the root.
std::vector<std::string> builtInPlaylistLines(MusicPack pack, std::string_view name);

// Without the artist folder: deletes the pack's playlists. With it: creates
// the music folder and writes each playlist whose conditions hold. The
// Plutonia and TNT playlists of Tiber and Moldwin need the registered IWAD
// file and some music files of the pack.
void writePackPlaylists(const InstallPaths& paths, MusicPack pack, const IwadRegistry& iwads);

// The four packs in their order.
void writeBuiltInPlaylists(const InstallPaths& paths, const IwadRegistry& iwads);

} // namespace krv
