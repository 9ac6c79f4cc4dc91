#include "launcher/startup/entry_routine.h"

#include "common/ci_path.h"
#include "common/strings.h"
#include "common/text_file.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace krv {

namespace {

// "version.krv" holds one short line; the caption shows at most this much.
constexpr std::size_t kVersionFileLimit = 4096;
constexpr std::size_t kVersionTextLength = 64;

// The printable characters of a line, blanks around them dropped, cut to a
// length a window caption can show.
std::string captionText(std::string_view line, std::size_t maxLength) {
    std::string text;
    for (const char c : line)
        if (c >= 0x20 && c < 0x7f)
            text += c;
    text = std::string(trim(text));
    if (text.size() > maxLength)
        text.resize(maxLength);
    return text;
}

} // namespace

std::string windowCaptionFor(const StartupState& startup) {
    return "KRVLauncher " + startup.launcherVersion + "  and  " + startup.engineVersion;
}

std::string firstMissingFile(const InstallPaths& paths) {
    const std::pair<std::string, const char*> required[] = {
        {paths.engineExe(), "Korvath.exe"},
        {paths.inspectionToolExe(), "KRVgFiles.exe"},
        {paths.unzipModule(), "unzip32.dll"},
        {paths.soundModule(), "fmodex.dll"},
    };
    for (const auto& [path, name] : required)
        if (!ci::isFile(path))
            return name;
    return {};
}

bool commandLineIs(const std::string& commandLine, const char* argument) {
    return iequals(commandLine, argument);
}

EntryRoutine::EntryRoutine(AppState& state, Platform& platform)
    : state_(state), platform_(platform) {}

void EntryRoutine::run(const std::string& exePath, const std::string& commandLine) {
    commandLine_ = commandLine;
    state_.paths = InstallPaths::fromRoot(rootFromExecutable(exePath));
    state_.startup.launcherVersion = kLauncherVersion;

    // A step that finds the settings file damaged or in use only marks the
    // settings for a reset; the start goes on with the next step.
    const std::vector<std::function<void()>> steps = {
        [this] { readEngineVersion(); },
        [this] { checkSettingsVersion(); },
        [this] { loadFont(); },
        [this] { deleteOldSettings(); },
        [this] { probeWriteAccess(); },
        [this] { enterRoot(); },
        [this] { checkInstallation(); },
        [this] { state_.startup.windowCaption = windowCaptionFor(state_.startup); },
        [this] { takeCommandLine(); },
        [this] { refuseSecondCopy(); },
        [this] { windows_->loadMainWindow(); },
        [this] { deleteOldSettings(); },
        [this] {
            windows_->showMainWindow();
            platform_.registerRunningCopy(state_.startup.windowCaption);
        },
        [this] { windows_->finishMainWindow(); },
        [this] {
            if (state_.session.settings.tipOfTheDay && !state_.startup.fileCheckFailed)
                windows_->showTipOfTheDay();
        },
    };
    for (const auto& step : steps) {
        try {
            step();
        } catch (const StartupError& e) {
            if (!resetsSettings(e.kind()))
                fail(e.kind());
            state_.startup.settingsReset = true;
            state_.startup.settingsCorrupt = true;
        } catch (const std::bad_alloc&) {
            fail(StartupErrorKind::Unknown);
        } catch (const std::exception&) {
            fail(StartupErrorKind::Unknown);
        }
    }
}

void EntryRoutine::readEngineVersion() {
    const TextLines file =
        readTextLines(state_.paths.dataFolder + "version.krv", kVersionFileLimit);
    // An oversize version file only names the engine in the caption: it is
    // treated like a missing one rather than stopping the start.
    if (file.status == IoStatus::NotFound || file.status == IoStatus::TooLarge) {
        state_.startup.engineVersion = kDefaultEngineVersion;
        return;
    }
    throwOnIoError(file.status, "version.krv");
    // An empty version file (or one without a printable character) is
    // treated like a missing one rather than as a damaged settings file.
    const std::string text =
        file.lines.empty() ? std::string() : captionText(file.lines.front(), kVersionTextLength);
    state_.startup.engineVersion = text.empty() ? std::string(kDefaultEngineVersion) : text;
}

void EntryRoutine::checkSettingsVersion() {
    const std::string config = state_.paths.configFile();
    if (!ci::exists(config))
        return;
    const TextLines file = readTextLines(config);
    // A FIFO, device, dangling link or link loop is no settings file.
    if (file.status == IoStatus::NotFound)
        return;
    throwOnIoError(file.status, "config.krv");
    if (file.lines.empty())
        throw StartupError(StartupErrorKind::UnexpectedEnd, "config.krv is empty");
    if (!iequals(file.lines.front(), state_.startup.launcherVersion))
        state_.startup.settingsReset = true;
}

void EntryRoutine::loadFont() {
    const TextLines file = readTextLines(state_.paths.launcherFolder + "font.krv");
    std::optional<std::string> line;
    if (file.status == IoStatus::Ok)
        line = file.lines.empty() ? std::string() : file.lines.front();
    state_.font = parseFontLine(line);
}

void EntryRoutine::deleteOldSettings() {
    if (state_.startup.settingsReset && ci::exists(state_.paths.configFile()))
        if (!ci::removeFile(state_.paths.configFile()))
            throw StartupError(StartupErrorKind::AccessDenied, "cannot delete config.krv");
}

void EntryRoutine::probeWriteAccess() {
    namespace fs = std::filesystem;
    const fs::path launcher = ci::resolveForWrite(state_.paths.launcherFolder);
    std::error_code ec;
    if (!fs::is_directory(launcher, ec)) {
        fs::create_directories(launcher, ec);
        if (ec)
            throw StartupError(startupErrorKindOf(ioStatusFromErrno(ec.value())),
                               "launcher folder");
    }
    const fs::path admin = ci::resolveForWrite(launcher / "Admin");
    if (!fs::is_directory(admin, ec) && ::mkdir(admin.c_str(), 0755) != 0) {
        // Something other than a folder by that name blocks the probe just as
        // a refused permission does.
        const int err = errno;
        throw StartupError(err == EEXIST ? StartupErrorKind::AccessDenied
                                         : startupErrorKindOf(ioStatusFromErrno(err)),
                           "write probe");
    }
    if (::rmdir(admin.c_str()) != 0)
        throw StartupError(startupErrorKindOf(ioStatusFromErrno(errno)), "write probe");
}

void EntryRoutine::enterRoot() {
    if (::chdir(state_.paths.root.c_str()) != 0)
        throw StartupError(startupErrorKindOf(ioStatusFromErrno(errno)), "installation root");
}

void EntryRoutine::checkInstallation() {
    state_.startup.missingFileName = firstMissingFile(state_.paths);
    if (state_.startup.missingFileName.empty())
        return;
    state_.startup.fileCheckFailed = true;
    platform_.showMessage(state_.startup.missingFileName +
                              " has not been detected - re-install Korvath.    ",
                          msg::kSystemModal, "Startup error");
    shutdown(1);
}

void EntryRoutine::takeCommandLine() {
    state_.startup.wineMode = commandLineIs(commandLine_, "/WINE");
    state_.startup.restartArgument = commandLineIs(commandLine_, "/RESTART");
}

void EntryRoutine::refuseSecondCopy() {
    if (state_.startup.restartArgument)
        return;
    if (platform_.activateRunningCopy(state_.startup.windowCaption))
        platform_.endProcess(0);
}

void EntryRoutine::fail(StartupErrorKind kind) {
    const StartupMessage m = startupErrorMessage(kind);
    platform_.showMessage(m.text, m.style, m.title);
    platform_.endProcess(1);
}

void EntryRoutine::shutdown(int exitCode) {
    state_.startup.closing = true;
    if (windows_)
        windows_->unloadAllWindows();
    platform_.endProcess(exitCode);
}

void EntryRoutine::restart() {
    // The executable is quoted so that an installation path with blanks
    // stays one word.
    platform_.startProcess('"' + state_.paths.launcherExe() + "\" /RESTART", state_.paths.root);
    shutdown(0);
}

void EntryRoutine::resetSettingsAndRestart() {
    state_.startup.settingsReset = true;
    ci::removeFile(state_.paths.configFile());
    platform_.showMessage(" The Launcher has detected a configuration error, the default  \r\n"
                          " settings will be reset, please reconfigure launcher settings. ",
                          msg::kSystemModal, " Configuration error detected");
    restart();
}

} // namespace krv
