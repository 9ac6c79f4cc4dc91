#pragma once
// A Platform for tests: every question is answered from a script, and every
// request is recorded so tests can check what the launcher asked and showed.

#include "launcher/platform/platform.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace krv {

// Thrown by the scripted endProcess so that a test sees where the launcher
// would have ended. Deliberately not a std::exception: no handler of the
// launcher catches it.
struct ProcessEnded {
    int exitCode;
};

class ScriptedPlatform : public Platform {
public:
    struct Message {
        std::string text;
        int style;
        std::string title;
    };
    struct Start {
        std::string commandLine;
        std::string workingFolder;
    };

    // Answers, taken from the front. With no scripted answer a message gets
    // OK, a Yes/No question gets No, and dialogs are cancelled.
    std::deque<int> messageAnswers;
    std::deque<NamePromptResult> nameAnswers;
    std::deque<bool> confirmAnswers;
    std::deque<std::optional<std::string>> openFileAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    bool runningCopyExists = false;
    bool startSucceeds = true;
    // When set, starts really run (detached) after being recorded.
    bool executeStarts = false;
    // When unset, hidden runs really execute the command.
    std::function<HiddenRunResult(const std::string&, const std::string&)> hiddenRunner;
    std::map<SpecialFolder, std::string> specialFolders;
    // When set, a progress is cancelled once it reports this many steps done.
    std::optional<std::size_t> cancelProgressAt;

    // What was asked and done.
    std::vector<Message> messages;
    std::vector<NamePrompt> namePrompts;
    int confirmCount = 0;
    std::vector<OpenFileRequest> openFileRequests;
    std::vector<std::string> folderRequests;
    std::vector<Start> starts;
    std::vector<Start> hiddenRuns;
    std::vector<std::string> openedDocuments;
    std::vector<ShortcutLink> shortcuts;
    std::vector<std::string> activatedCaptions;
    std::string registeredCaption;
    int processEventsCount = 0;
    struct ProgressShown {
        std::string text;
        std::size_t total;
        std::vector<std::size_t> updates; // the counts reported, in order
    };
    std::deque<ProgressShown> progressShown; // a deque keeps the entries in place
    // The batches of hidden runs, by their sizes.
    std::vector<std::size_t> hiddenBatches;

    int showMessage(const std::string& text, int style, const std::string& title) override;
    NamePromptResult askName(const NamePrompt& prompt) override;
    bool confirmCleanup() override;
    std::optional<std::string> openFile(const OpenFileRequest& request) override;
    std::optional<std::string> browseForFolder(const std::string& title) override;
    bool startProcess(const std::string& commandLine, const std::string& workingFolder) override;
    HiddenRunResult runHidden(const std::string& commandLine,
                              const std::string& workingFolder) override;
    std::optional<std::vector<HiddenRunResult>>
    runHiddenAll(const std::vector<std::string>& commandLines, const std::string& workingFolder,
                 Progress* progress) override;
    std::unique_ptr<Progress> showProgress(const std::string& text, std::size_t total) override;
    void openDocument(const std::string& pathOrAddress) override;
    std::string specialFolder(SpecialFolder which) override;
    bool writeShortcut(const ShortcutLink& link) override;
    bool activateRunningCopy(const std::string& caption) override;
    void registerRunningCopy(const std::string& caption) override;
    void processEvents() override;
    void paintWindows() override;

protected:
    void endProcessNow(int exitCode) override;
};

} // namespace krv
