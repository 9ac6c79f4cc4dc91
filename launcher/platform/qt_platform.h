#pragma once
// The Platform on a real desktop, through Qt: message boxes and prompts
// centred over the main window, file dialogs, processes, documents and the
// running-copy test (a Unix-domain socket named after the window caption and the
// display, in the runtime folder).

#include "launcher/platform/platform.h"
#include "launcher/startup/install_paths.h"
#include "launcher/ui/launcher_font.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace krv {

class RunningCopyListener;

class QtPlatform : public QObject, public Platform {
    Q_OBJECT
public:
    // The state gives the data folder and whether a launcher font is set.
    // Its dialogs take the launcher font; the confirmation keeps its choice
    // in the installation's data folder.
    QtPlatform(const FontSetting& font, const InstallPaths& paths);

    // The window that message boxes and dialogs are centred over.
    void setMainWindow(QWidget* window) { mainWindow_ = window; }

    int showMessage(const std::string& text, int style, const std::string& title) override;
    NamePromptResult askName(const NamePrompt& prompt) override;
    bool confirmCleanup() override;
    std::optional<std::string> openFile(const OpenFileRequest& request) override;
    std::optional<std::string> browseForFolder(const std::string& instruction) override;
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

public:
    // The local socket path under which a copy with this caption listens on
    // this display.
    static QString instanceKey(const std::string& caption);

private:
    void bringMainWindowToFront();
    void reapWhenEnded(int pid);

    const FontSetting& font_;
    const InstallPaths& paths_;
    QPointer<QWidget> mainWindow_;
    RunningCopyListener* runningCopyListener_ = nullptr;
};

} // namespace krv
