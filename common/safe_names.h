#pragma once
// The one check of names that come from the disk, an archive, a list entry
// or a prompt before they become part of a path, a command line or a
// shortcut, and the one check that keeps every delete, move and overwrite
// inside the folder it means.

#include "common/ci_path.h"

#include <string_view>
#include <system_error>

namespace krv {

// True when `text` holds a byte below 0x20 or DEL: such a text cannot be
// stored as a line of a text file nor stand in a command line.
bool hasControlByte(std::string_view text);

// True when `name` can stand as one component of a path, as one quoted word
// of a command line and as one line of a text file: not empty, at most 255
// bytes, not "." or "..", its base before the last dot neither empty nor
// "." nor "..", and no "/", "\", double quote or control byte.
bool isUsableName(std::string_view name);

namespace ci {

enum class Confinement {
    Inside,  // the target exists strictly inside the folder
    Missing, // nothing of that name exists; `path` is where it would be written
    Outside, // the target is the folder, above it, or reached through a link that leaves it
};

struct Confined {
    Confinement verdict = Confinement::Outside;
    Path path; // the target as on disk (Inside) or as it would be written (Missing)
};

// Where `target` lies with respect to `folder`, both found without regard
// to case. A "." or ".." component anywhere in `target` counts as outside,
// as does a missing `folder`. The folder's own links are followed; a link on
// the way from the folder to the target must stay inside the folder. A link
// as the target itself is judged by its own place (removing or renaming it
// leaves what it points to alone); writers refuse it separately.
Confined confine(const Path& folder, const Path& target);

// The destructive operations, each done only on a target confined to
// `folder`; a target outside touches nothing and answers false.
// True when no such file remains (a missing one included).
bool removeFileInside(const Path& folder, const Path& target);
// True when nothing of the file or folder remains (a missing one included).
bool removeTreeInside(const Path& folder, const Path& target);
// The same whole or not at all: when some part of the tree could not go (a
// folder the user may not write), nothing is removed and the answer is false.
bool removeWholeTreeInside(const Path& folder, const Path& target);
// Renames `from` to `to`, both inside `folder`; `to` must not exist yet
// unless it is `from` spelt in another case. Answers the failure, with
// invalid_argument for a target outside or taken.
std::error_code renameInside(const Path& folder, const Path& from, const Path& to);
// Copies the file `from` over `to` inside `folder`; a link in the place of
// `to` is refused. True when the copy is complete.
bool copyInto(const Path& folder, const Path& from, const Path& to);

} // namespace ci

} // namespace krv
