#pragma once
// Plain 8-bit text files, one value a line. Readers accept CR LF or LF;
// writers use CR LF and replace a file whole through a temporary file in the
// same folder, so a crash never leaves a file half written.

#include "common/ci_path.h"

#include <cstdint>
#include <string>
#include <vector>

namespace krv {

// TooLarge: a regular file longer than the reader's cap for it.
// DiskFull: the file system (or the user's quota) has no room left.
enum class IoStatus { Ok, NotFound, AccessDenied, InUse, TooLarge, DiskFull, Other };

IoStatus ioStatusFromErrno(int err);

struct TextLines {
    IoStatus status = IoStatus::Other;
    std::vector<std::string> lines;
};

// Size caps for the readers: settings, records and one-line files are small;
// lists a user may grow (tips, playlists, tables) get more room.
inline constexpr std::size_t kSmallFileLimit = 1 << 20;
inline constexpr std::size_t kListFileLimit = 16 << 20;

// Reads every line of a file found without regard to case. Only a regular
// file is read; a FIFO, device, dangling link or link loop is NotFound.
TextLines readTextLines(const ci::Path& path, std::size_t limit = kSmallFileLimit);

// Splits a buffer into lines, dropping the LF or CR LF of each.
std::vector<std::string> splitLines(std::string_view text);

// The lines, each ending in CR LF, as one buffer.
std::string joinLines(const std::vector<std::string>& lines);

// The first lines of a file, read without reading the rest.
struct LeadingLines {
    IoStatus status = IoStatus::Other;
    std::vector<std::string> lines;
    std::string bytes; // the bytes of those lines, their line ends included
    bool more = false; // the file goes on after them
};

// Reads the first `maxLines` lines of a file found without regard to case,
// however long the whole file is. TooLarge when those lines alone hold more
// than `limit` bytes. Only a regular file is read, as by readTextLines.
LeadingLines readLeadingLines(const ci::Path& path, std::size_t maxLines,
                              std::size_t limit = kListFileLimit);

// Whether a write waits until the bytes are on the disk. A scratch file,
// which the launcher writes anew on every selection, need not: its rename
// still replaces the old one whole.
enum class Durability { Synced, Scratch };

// Writes the lines, each ending in CR LF, replacing any file of that name
// (found without regard to case) atomically. Temporary files that an earlier,
// interrupted write of the same file left behind are removed.
IoStatus writeTextLines(const ci::Path& path, const std::vector<std::string>& lines,
                        Durability durability = Durability::Synced);

// Reads a whole regular file as bytes, at most `limit` of them. The file is
// opened without blocking, so a FIFO never stalls the reader.
IoStatus readWholeFile(const ci::Path& path, std::string& out, std::size_t limit = kSmallFileLimit);

// Reads the first `limit` bytes of a regular file (all of a shorter one),
// never more, whatever the file's size; opened like readWholeFile.
IoStatus readFileStart(const ci::Path& path, std::string& out, std::size_t limit);

// Replaces a file atomically with the given bytes.
IoStatus writeWholeFile(const ci::Path& path, std::string_view bytes,
                        Durability durability = Durability::Synced);

// Replaces the first `replaced` bytes of a file with `head` and keeps every
// byte after them as it is, atomically, however long the file. A missing
// file is written with `head` alone.
IoStatus replaceFileHead(const ci::Path& path, std::string_view head, std::uint64_t replaced);

// Copies the regular file `from` to `to` through a temporary file in the
// folder of `to`, renamed into place only when complete: a failed copy (a
// full disk, a refused write) leaves `to` as it was and no partial file.
IoStatus copyFileAtomically(const ci::Path& from, const ci::Path& to);

} // namespace krv
