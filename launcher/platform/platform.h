#pragma once
// The port through which the launcher reaches the operating system and the
// desktop: message boxes, prompts, dialogs, processes, documents, special
// folders and the running-copy test. Forms never open any of these
// themselves; the Qt implementation shows real dialogs, the scripted one
// answers from a script and records what was asked.

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace krv {

// Message-box styles and results, with the values of the platform's message
// box so that stored callers' numbers keep their meaning.
namespace msg {
inline constexpr int kOk = 0;
inline constexpr int kCritical = 16;
inline constexpr int kYesNoQuestion = 36;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;
inline constexpr int kSystemModal = 4096;

inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;
inline constexpr int kResultYes = 6;
inline constexpr int kResultNo = 7;
} // namespace msg

// What a caller of the name prompt sets before showing it.
struct NamePrompt {
    std::string frameCaption;
    std::string windowCaption;
    std::string initialText;
    std::string buttonCaption;
    // What the caller reads back when the prompt is closed other than by its
    // button.
    std::string nameBuffer;
};

// What the caller reads afterwards: the name buffer and the cancel flag.
struct NamePromptResult {
    std::string name;
    bool cancelled = false;
};

struct OpenFileRequest {
    std::string title;
    std::string filter; // e.g. "Wad files (*.wad);;Zip files (*.zip)"
    std::string initialFolder;
};

struct HiddenRunResult {
    bool started = false;
    int exitCode = -1;
    std::string output;      // standard output and standard error, in order
    bool pipeFailed = false; // no pipe could be made for the output
    int errorNumber = 0;     // the system's error number when it did not start
};

// More hidden runs than this in one operation show their progress.
inline constexpr std::size_t kRunsWithoutProgress = 8;

// The progress of a long operation, shown with its count while it runs; the
// user may cancel it. It disappears when the object is destroyed.
class Progress {
public:
    virtual ~Progress() = default;
    // Shows that `done` steps are done and lets pending window messages run.
    // False once the user cancelled.
    virtual bool update(std::size_t done) = 0;
};

enum class SpecialFolder { Desktop, StartMenuPrograms, Home };

// A shortcut that starts a program with arguments; `file` is its path
// without the platform's shortcut extension.
struct ShortcutLink {
    std::string file;
    std::string target;
    std::string arguments;
    std::string workingDirectory;
    int windowStyle = 0;
    std::string iconLocation;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Shows a message centred over the main window; returns the button.
    virtual int showMessage(const std::string& text, int style, const std::string& title) = 0;

    // The one-line name prompt (AskForm).
    virtual NamePromptResult askName(const NamePrompt& prompt) = 0;

    // The model-pack cleanup confirmation (ConfirmForm). True to continue.
    virtual bool confirmCleanup() = 0;

    // The open-file dialog centred over the main window; nothing on cancel.
    virtual std::optional<std::string> openFile(const OpenFileRequest& request) = 0;

    // The folder browser, its instruction shown above the folders; nothing
    // on cancel.
    virtual std::optional<std::string> browseForFolder(const std::string& instruction) = 0;

    // Starts a command line as a new process with a normal, focused window,
    // without waiting. False when it could not be started.
    virtual bool startProcess(const std::string& commandLine, const std::string& workingFolder) = 0;

    // Runs a command line hidden and returns what it printed once it closed
    // its output.
    virtual HiddenRunResult runHidden(const std::string& commandLine,
                                      const std::string& workingFolder) = 0;

    // Runs command lines hidden, several at a time, and returns their
    // results in the order given; nothing when the user cancelled through
    // `progress` (which may be null).
    virtual std::optional<std::vector<HiddenRunResult>>
    runHiddenAll(const std::vector<std::string>& commandLines, const std::string& workingFolder,
                 Progress* progress) = 0;

    // Shows the progress of `total` steps described by `text`, over the main
    // window (which is shown first if it is not yet).
    virtual std::unique_ptr<Progress> showProgress(const std::string& text, std::size_t total) = 0;

    // Opens a document or web address with the desktop's "Open" action;
    // failures are ignored.
    virtual void openDocument(const std::string& pathOrAddress) = 0;

    virtual std::string specialFolder(SpecialFolder which) = 0;

    // Writes a shortcut file; false when it could not be written.
    virtual bool writeShortcut(const ShortcutLink& link) = 0;

    // When a copy of the launcher whose window bears `caption` runs, brings
    // that window to the front (restored if minimised) and returns true.
    virtual bool activateRunningCopy(const std::string& caption) = 0;

    // Makes this copy the one that later copies find by `caption`.
    virtual void registerRunningCopy(const std::string& caption) = 0;

    // Lets pending window messages run.
    virtual void processEvents() = 0;
    // Paints what changed in the windows, leaving the player's input queued
    // for later.
    virtual void paintWindows() = 0;

    // Ends the process at once.
    [[noreturn]] void endProcess(int exitCode) {
        endProcessNow(exitCode);
        std::abort(); // an implementation that returns is broken
    }

protected:
    virtual void endProcessNow(int exitCode) = 0;
};

} // namespace krv
