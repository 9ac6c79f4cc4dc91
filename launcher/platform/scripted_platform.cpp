#include "launcher/platform/scripted_platform.h"

#include "launcher/platform/command_line.h"
#include "launcher/platform/process.h"

namespace krv {

namespace {
template <typename T> std::optional<T> takeFront(std::deque<T>& answers) {
    if (answers.empty())
        return std::nullopt;
    T value = std::move(answers.front());
    answers.pop_front();
    return value;
}
} // namespace

int ScriptedPlatform::showMessage(const std::string& text, int style, const std::string& title) {
    messages.push_back({text, style, title});
    if (const auto answer = takeFront(messageAnswers))
        return *answer;
    return (style & 0xF) == 4 ? msg::kResultNo : msg::kResultOk;
}

NamePromptResult ScriptedPlatform::askName(const NamePrompt& prompt) {
    namePrompts.push_back(prompt);
    if (auto answer = takeFront(nameAnswers))
        return *answer;
    return {prompt.nameBuffer, false}; // closed by its close box
}

bool ScriptedPlatform::confirmCleanup() {
    ++confirmCount;
    return takeFront(confirmAnswers).value_or(false);
}

std::optional<std::string> ScriptedPlatform::openFile(const OpenFileRequest& request) {
    openFileRequests.push_back(request);
    return takeFront(openFileAnswers).value_or(std::nullopt);
}

std::optional<std::string> ScriptedPlatform::browseForFolder(const std::string& title) {
    folderRequests.push_back(title);
    return takeFront(folderAnswers).value_or(std::nullopt);
}

bool ScriptedPlatform::startProcess(const std::string& commandLine,
                                    const std::string& workingFolder) {
    starts.push_back({commandLine, workingFolder});
    if (!startSucceeds)
        return false;
    if (!executeStarts)
        return true;
    const auto argv = resolveCommand(commandLine, workingFolder);
    return argv && startDetached(*argv, workingFolder).has_value();
}

HiddenRunResult ScriptedPlatform::runHidden(const std::string& commandLine,
                                            const std::string& workingFolder) {
    hiddenRuns.push_back({commandLine, workingFolder});
    if (hiddenRunner)
        return hiddenRunner(commandLine, workingFolder);
    const auto argv = resolveCommand(commandLine, workingFolder);
    return argv ? runCaptured(*argv, workingFolder) : programNotFound();
}

std::optional<std::vector<HiddenRunResult>>
ScriptedPlatform::runHiddenAll(const std::vector<std::string>& commandLines,
                               const std::string& workingFolder, Progress* progress) {
    hiddenBatches.push_back(commandLines.size());
    for (const std::string& line : commandLines)
        hiddenRuns.push_back({line, workingFolder});
    if (!hiddenRunner)
        return runCommandLinesHidden(commandLines, workingFolder, progress);
    std::vector<HiddenRunResult> results;
    for (const std::string& line : commandLines) {
        results.push_back(hiddenRunner(line, workingFolder));
        if (progress && !progress->update(results.size()))
            return std::nullopt;
    }
    return results;
}

namespace {

// Records the counts reported and cancels at the scripted count.
class ScriptedProgress : public Progress {
public:
    ScriptedProgress(std::vector<std::size_t>& updates, std::optional<std::size_t> cancelAt)
        : updates_(updates), cancelAt_(cancelAt) {}
    bool update(std::size_t done) override {
        updates_.push_back(done);
        return !cancelAt_ || done < *cancelAt_;
    }

private:
    std::vector<std::size_t>& updates_;
    std::optional<std::size_t> cancelAt_;
};

} // namespace

std::unique_ptr<Progress> ScriptedPlatform::showProgress(const std::string& text,
                                                         std::size_t total) {
    progressShown.push_back({text, total, {}});
    return std::make_unique<ScriptedProgress>(progressShown.back().updates, cancelProgressAt);
}

bool ScriptedPlatform::writeShortcut(const ShortcutLink& link) {
    shortcuts.push_back(link);
    return true;
}

void ScriptedPlatform::openDocument(const std::string& pathOrAddress) {
    openedDocuments.push_back(pathOrAddress);
}

std::string ScriptedPlatform::specialFolder(SpecialFolder which) {
    const auto it = specialFolders.find(which);
    return it == specialFolders.end() ? std::string() : it->second;
}

bool ScriptedPlatform::activateRunningCopy(const std::string& caption) {
    if (!runningCopyExists)
        return false;
    activatedCaptions.push_back(caption);
    return true;
}

void ScriptedPlatform::registerRunningCopy(const std::string& caption) {
    registeredCaption = caption;
}

void ScriptedPlatform::processEvents() {
    ++processEventsCount;
}

void ScriptedPlatform::paintWindows() {}

void ScriptedPlatform::endProcessNow(int exitCode) {
    throw ProcessEnded{exitCode};
}

} // namespace krv
