#include "launcher/startup/startup_errors.h"

#include "launcher/platform/platform.h"

namespace krv {

StartupErrorKind startupErrorKindOf(IoStatus status) {
    switch (status) {
    case IoStatus::InUse:
        return StartupErrorKind::FileInUse;
    case IoStatus::AccessDenied:
        return StartupErrorKind::AccessDenied;
    case IoStatus::TooLarge:
        // A file far longer than any the launcher writes cannot be read to a
        // sensible end: handled like a settings file that ends early.
        return StartupErrorKind::UnexpectedEnd;
    default:
        return StartupErrorKind::Unknown;
    }
}

void throwOnIoError(IoStatus status, const std::string& what) {
    if (status != IoStatus::Ok)
        throw StartupError(startupErrorKindOf(status), what);
}

bool resetsSettings(StartupErrorKind kind) {
    return kind == StartupErrorKind::FileInUse || kind == StartupErrorKind::UnexpectedEnd;
}

StartupMessage startupErrorMessage(StartupErrorKind kind) {
    switch (kind) {
    case StartupErrorKind::AccessDenied:
        return {"Restricted Window's User Account Control",
                "   You appear to have restricted access with this user account, Korvath        "
                "\r\n"
                "    requires a UAC with a higher privilege level before it will run.",
                msg::kExclamation};
    case StartupErrorKind::MissingComponent:
        return {"Installation error",
                "   Unable to run the KRVlauncher due to missing or unregistered       \r\n"
                "   dependencies, re-install the program using the Korvath setup.",
                msg::kCritical};
    default:
        return {"Unknown Error",
                "   Unable to run the KRVlauncher due to unknown error      \r\n"
                "  please report error to the Korvath development team.",
                msg::kCritical};
    }
}

} // namespace krv
