#pragma once
// The copy of a wad into a new game of the games library.

#include "common/text_file.h"

#include <string>

namespace krv {

// Creates `gameFolder` and its Pwads folder and copies `wad` into Pwads
// under its own file name, whole or not at all. When the copy fails the new
// game folder is removed again, so the games list is as before. The caller
// has made sure `gameFolder` did not exist.
IoStatus installWadCopy(const std::string& wad, const std::string& gameFolder);

// The message text for a failed install: why the wad could not be copied.
std::string installFailureText(IoStatus status);

} // namespace krv
