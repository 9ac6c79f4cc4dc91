#pragma once
// The state the entry routine creates: the installation's paths, the
// start-up state, the session model, the IWAD registry and the launcher
// font.

#include "launcher/inspect/iwad_registry.h"
#include "launcher/launch/compose_types.h"
#include "launcher/library/game_selection.h"
#include "launcher/session/session_model.h"
#include "launcher/startup/install_paths.h"
#include "launcher/startup/settings.h"
#include "launcher/ui/launcher_font.h"

#include <string>

namespace krv {

inline constexpr const char* kLauncherVersion = "v9.1";
inline constexpr const char* kDefaultEngineVersion = "Korvath v2.2";

struct StartupState {
    std::string launcherVersion = kLauncherVersion;
    std::string engineVersion = kDefaultEngineVersion;
    std::string windowCaption;
    bool settingsReset = false;   // "config.krv" was old or unreadable
    bool settingsCorrupt = false; // ... and the reason was a damaged file
    bool wineMode = false;
    bool restartArgument = false; // started with "/RESTART"
    bool fileCheckFailed = false;
    std::string missingFileName;
    bool closing = false;          // the shutdown routine is running
    bool restartRequested = false; // start a new copy when the window closes
};

// The launcher's state, as the entry routine makes it: owners of their own,
// each handed on by itself to what needs it. The installation's paths and
// the start-up state are fixed once the window has loaded (but for the zip
// library's folder, which the player may change, and the flags of the close).
struct AppState {
    InstallPaths paths;
    StartupState startup;
    SessionModel session;
    IwadRegistry iwads;
    FontSetting font;
};

// "KRVLauncher v9.1  and  Korvath v2.2"
std::string windowCaptionFor(const StartupState& startup);

} // namespace krv
