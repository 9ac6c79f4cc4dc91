#pragma once
// The launcher's start: derives the installation paths, checks the settings
// file's version, probes that the launcher folder is writable, checks the
// installation, refuses a second copy, loads and shows the main window. Also
// the two ways out that skip the main window's own unload: the shutdown
// routine and the restart.

#include "launcher/platform/platform.h"
#include "launcher/startup/app_state.h"
#include "launcher/startup/startup_errors.h"

#include <functional>
#include <string>
#include <vector>

namespace krv {

// The windows the entry routine loads, shows and tears down.
class LauncherWindows {
public:
    virtual ~LauncherWindows() = default;
    virtual void loadMainWindow() = 0; // may throw StartupError
    virtual void showMainWindow() = 0;
    // Once the main window is on the screen: the rest of its load (the
    // remembered selection's restore and what follows it), then what the
    // window asks before it is used.
    virtual void finishMainWindow() = 0;
    virtual void showTipOfTheDay() = 0;
    // Hides the main window and unloads it, then IwadForm, TipsForm,
    // AskForm and MusicForm, in this order.
    virtual void unloadAllWindows() = 0;
};

class EntryRoutine {
public:
    EntryRoutine(AppState& state, Platform& platform);

    void setWindows(LauncherWindows* windows) { windows_ = windows; }

    // Runs the start for a launcher whose executable is `exePath`, with the
    // process command line `commandLine` (the arguments as one text). Returns
    // when the main window is shown; every failure ends the process.
    void run(const std::string& exePath, const std::string& commandLine);

    // Ends the process without the main window's saving steps.
    [[noreturn]] void shutdown(int exitCode = 0);

    // Starts a new copy with "/RESTART", then shuts this one down.
    [[noreturn]] void restart();

    // A number line of "config.krv" held no number: the file is deleted, the
    // user told, and the launcher restarted on defaults.
    [[noreturn]] void resetSettingsAndRestart();

private:
    void readEngineVersion();
    void checkSettingsVersion();
    void loadFont();
    void deleteOldSettings();
    void probeWriteAccess();
    void enterRoot();
    void checkInstallation();
    void takeCommandLine();
    void refuseSecondCopy();
    [[noreturn]] void fail(StartupErrorKind kind);

    AppState& state_;
    Platform& platform_;
    LauncherWindows* windows_ = nullptr;
    std::string commandLine_;
};

// The first required file of the installation that is missing, in the check
// order; empty when all are present.
std::string firstMissingFile(const InstallPaths& paths);

// True when the process command line is exactly `argument`, ignoring case.
bool commandLineIs(const std::string& commandLine, const char* argument);

} // namespace krv
