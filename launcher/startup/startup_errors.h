#pragma once
// Failures of the start-up and the settings files, grouped by kind. Each
// kind maps to one fixed message (or, for a damaged settings file, to a
// silent reset).

#include "common/text_file.h"

#include <stdexcept>
#include <string>

namespace krv {

enum class StartupErrorKind {
    FileInUse,        // the settings file was already open
    UnexpectedEnd,    // input past the end of a file
    AccessDenied,     // permission refused or path access error
    MissingComponent, // a module the launcher needs is missing or broken
    Unknown,
};

class StartupError : public std::runtime_error {
public:
    StartupError(StartupErrorKind kind, const std::string& what)
        : std::runtime_error(what), kind_(kind) {}
    StartupErrorKind kind() const { return kind_; }

private:
    StartupErrorKind kind_;
};

// The kind a failed file operation belongs to.
StartupErrorKind startupErrorKindOf(IoStatus status);

// Throws the matching StartupError unless the status is Ok.
void throwOnIoError(IoStatus status, const std::string& what);

struct StartupMessage {
    std::string title;
    std::string text;
    int style = 0;
};

// The message shown for an error that ends the start (access denied,
// missing component, unknown).
StartupMessage startupErrorMessage(StartupErrorKind kind);

// True for the kinds that only reset the settings and let the start go on.
bool resetsSettings(StartupErrorKind kind);

} // namespace krv
