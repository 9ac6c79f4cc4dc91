#pragma once
// Plain 8-bit text files, one value a line. Readers accept CR LF or LF;
// writers use CR LF and replace a file whole through a temporary file in the
// same folder, so a crash never leaves a file half written.

#include "common/ci_path.h"

#include <string>
#include <vector>

namespace krv {

enum class IoStatus { Ok, NotFound, AccessDenied, InUse, Other };

IoStatus ioStatusFromErrno(int err);

struct TextLines {
    IoStatus status = IoStatus::Other;
    std::vector<std::string> lines;
};

// Reads every line of a file found without regard to case.
TextLines readTextLines(const ci::Path& path);

// Splits a buffer into lines, dropping the LF or CR LF of each.
std::vector<std::string> splitLines(std::string_view text);

// Writes the lines, each ending in CR LF, replacing any file of that name
// (found without regard to case) atomically.
IoStatus writeTextLines(const ci::Path& path, const std::vector<std::string>& lines);

// Reads a whole file as bytes. Used for binary files as well.
IoStatus readWholeFile(const ci::Path& path, std::string& out);

// Replaces a file atomically with the given bytes.
IoStatus writeWholeFile(const ci::Path& path, std::string_view bytes);

} // namespace krv
