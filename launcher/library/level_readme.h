#pragma once
// The text file that comes with a level from the public archives. Such
// files follow one well-known template, a line per field:
//
//   Title                   : Castle Siege
//   Author                  : A. Mapper
//   Description             : ...
//   Build Time              : ...
//
// with any case and spacing. Only the beginning of a file is read, and the
// texts found are plain text (never markup), in UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace krv {

struct LevelReadme {
    std::string path; // the text file
    std::string title;
    std::string author;
};

// The title and author of a text that carries the template (at least two of
// its fields, the title or the author among them); nothing for any other
// text, a binary file's bytes included. Each text is read as UTF-8 when it
// is valid UTF-8 and as Latin-1 otherwise.
std::optional<LevelReadme> parseLevelReadme(std::string_view bytes);

// The first ".txt" file of `folder`, in name order ignoring case, that
// carries the template; nothing when none does.
std::optional<LevelReadme> findLevelReadme(const std::string& folder);

} // namespace krv
