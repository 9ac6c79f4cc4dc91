#pragma once
// Bringing the entries of one folder into another, whole or not at all: a
// game's files moving between its Pwads and Gwads folders, the files of an
// archive going into a game. Nothing reached through a link that leaves the
// folder the transfer means is changed: the files of a linked folder, and
// the content of a linked file, are copied, and only the link itself goes.

#include "common/ci_path.h"

#include <string>

namespace krv::ci {

// What became of a change of files; anything but Done left them as they were.
enum class FileChange {
    Done,
    AccessDenied, // a folder to be changed may not be written, or a file not read
    ReadOnly,     // a file to be replaced is read-only
    LinkedOut,    // the files to change lie behind a link; they are not the launcher's
    NameClash,    // an entry cannot go under its name (not usable, or a folder against a file)
    DiskFull,
    Failed,
};

enum class Transfer {
    Copy, // the regular files of `from` (and the content of links to files) are copied
    Move, // every entry of `from` moves and `from` goes
};

// Brings the entries of `from` into `to`, replacing entries of the same name
// (found without regard to case); `to`, inside `within`, is made when
// missing. A Move takes `from` from inside `within` too; when `from` is a
// link it copies as a Copy does and then removes the link alone. `leave`
// names an entry of `from` (a check file) that is not carried over: it goes
// with `from`, or stays behind a link. Everything is checked before anything
// changes, and a failure half-way undoes the steps already taken.
FileChange transferFolder(const Path& within, const Path& from, const Path& to, Transfer how,
                          const std::string& leave = {});

} // namespace krv::ci
