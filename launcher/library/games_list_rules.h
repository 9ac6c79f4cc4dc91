#pragma once
// The games list's rules that need no widget: which dropped files can be
// installed, how a zip archive is listed, which game files open in the text
// editor, and when a user directory holds more than a game.

#include <string>
#include <vector>

namespace krv {

// The files of a drop: the wads and zips to install, in their order, and the
// names of the others joined with ", " for the refusal message.
struct DroppedFiles {
    std::vector<std::string> levels;
    std::string refused;
};
DroppedFiles sortDroppedFiles(const std::vector<std::string>& files);

// An archive's entry in the zip library: the launcher font shows its first
// letter in capitals, the default font all of it.
std::string zipLibraryEntry(std::string name, bool launcherFont);

// The engine's text definitions open in the text editor, other files with
// the desktop's program for them.
bool opensInTextEditor(const std::string& name);

// A user directory that lists a wad after its third file holds more than a
// game's own files.
bool holdsMoreThanGameFiles(const std::vector<std::string>& files);

} // namespace krv
