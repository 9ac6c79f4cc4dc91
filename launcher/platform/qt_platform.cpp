#include "launcher/platform/qt_platform.h"
#include "launcher/platform/running_copy.h"

#include "launcher/platform/command_line.h"
#include "launcher/platform/process.h"
#include "launcher/platform/shortcut_file.h"
#include "launcher/ui/ask_form.h"
#include "launcher/ui/cleanup_confirmation.h"
#include "launcher/ui/confirm_form.h"
#include "launcher/ui/message_box.h"
#include "launcher/ui/progress_dialog.h"
#include "launcher/ui/qt_font.h"
#include "launcher/ui/qt_text.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>
#include <sys/syscall.h>
#include <unistd.h>

namespace krv {

QtPlatform::QtPlatform(const FontSetting& font, const InstallPaths& paths)
    : font_(font), paths_(paths) {}

int QtPlatform::showMessage(const std::string& text, int style, const std::string& title) {
    return showCentredMessage(mainWindow_, text, style, title);
}

NamePromptResult QtPlatform::askName(const NamePrompt& prompt) {
    AskForm form(mainWindow_, font_.isSet());
    applyLauncherFont(&form, font_);
    form.setup(prompt);
    form.exec();
    return form.result();
}

bool QtPlatform::confirmCleanup() {
    ConfirmForm form(mainWindow_, paths_.dataFolder);
    applyLauncherFont(&form, font_);
    form.exec();
    return form.continued();
}

std::optional<std::string> QtPlatform::openFile(const OpenFileRequest& request) {
    // Qt's own dialog is used because it centres over its parent everywhere.
    QFileDialog dialog(mainWindow_, qs(request.title), qs(request.initialFolder),
                       qs(request.filter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ss(QDir::toNativeSeparators(dialog.selectedFiles().front()));
}

// The instruction may run over two lines; it goes into a label above Qt's
// folder dialog, which is embedded so that the window title stays short.
std::optional<std::string> QtPlatform::browseForFolder(const std::string& instruction) {
    QDialog frame(mainWindow_);
    frame.setWindowTitle("Browse for Folder");
    applyLauncherFont(&frame, font_);
    auto* folders = new QFileDialog(&frame);
    folders->setWindowFlags(Qt::Widget);
    folders->setFileMode(QFileDialog::Directory);
    folders->setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    auto* layout = new QVBoxLayout(&frame);
    auto* label = new QLabel(qs(instruction), &frame);
    label->setWordWrap(true);
    layout->addWidget(label);
    layout->addWidget(folders);
    QObject::connect(folders, &QDialog::finished, &frame, &QDialog::done);
    if (frame.exec() != QDialog::Accepted || folders->selectedFiles().isEmpty())
        return std::nullopt;
    return ss(QDir::toNativeSeparators(folders->selectedFiles().front()));
}

bool QtPlatform::startProcess(const std::string& commandLine, const std::string& workingFolder) {
    const auto argv = resolveCommand(commandLine, workingFolder);
    const auto child = argv ? startDetached(*argv, workingFolder) : std::nullopt;
    if (child)
        reapWhenEnded(*child);
    return child.has_value();
}

// The started program is this process's child: its end is collected as soon
// as the event loop sees it, so that no zombie is left behind.
void QtPlatform::reapWhenEnded(int pid) {
    const int fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (fd < 0) {
        reapIfEnded(pid); // too old a system: collected only if it ended already
        return;
    }
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [notifier, fd, pid] {
        reapIfEnded(pid);
        notifier->setEnabled(false);
        notifier->deleteLater();
        ::close(fd);
    });
}

HiddenRunResult QtPlatform::runHidden(const std::string& commandLine,
                                      const std::string& workingFolder) {
    const auto argv = resolveCommand(commandLine, workingFolder);
    return argv ? runCaptured(*argv, workingFolder) : programNotFound();
}

std::optional<std::vector<HiddenRunResult>>
QtPlatform::runHiddenAll(const std::vector<std::string>& commandLines,
                         const std::string& workingFolder, Progress* progress) {
    return runCommandLinesHidden(commandLines, workingFolder, progress);
}

std::unique_ptr<Progress> QtPlatform::showProgress(const std::string& text, std::size_t total) {
    return std::make_unique<ProgressDialog>(mainWindow_, text, total);
}

void QtPlatform::openDocument(const std::string& pathOrAddress) {
    const QString target = qs(pathOrAddress);
    const QUrl url =
        target.contains(QStringLiteral("://")) ? QUrl(target) : QUrl::fromLocalFile(target);
    QDesktopServices::openUrl(url); // failures are ignored
}

std::string QtPlatform::specialFolder(SpecialFolder which) {
    switch (which) {
    case SpecialFolder::Desktop:
        return ss(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    case SpecialFolder::StartMenuPrograms:
        return ss(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation));
    case SpecialFolder::Home:
        return ss(QDir::homePath());
    }
    return {};
}

bool QtPlatform::writeShortcut(const ShortcutLink& link) {
    return writeDesktopEntry(link);
}

// The graphical session a window lives in: the X display without its screen
// number (":1" and ":1.0" are one display), else the Wayland display, else the
// Qt platform (offscreen runs share none of these).
static QString graphicalSession() {
    QString display = qEnvironmentVariable("DISPLAY");
    const qsizetype colon = display.lastIndexOf(':');
    const qsizetype dot = display.indexOf('.', colon + 1);
    if (colon >= 0 && dot > colon)
        display.truncate(dot);
    if (!display.isEmpty())
        return QStringLiteral("x11") + display;
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (!wayland.isEmpty())
        return QStringLiteral("wayland:") + wayland;
    return QGuiApplication::platformName();
}

// One key per caption and graphical session, so that copies on other
// displays don't meet; the socket lives in the user's runtime folder, out of
// the shared temporary folder.
QString QtPlatform::instanceKey(const std::string& caption) {
    QByteArray identity = QByteArray::fromStdString(caption);
    identity += '\0';
    identity += graphicalSession().toUtf8();
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(identity, QCryptographicHash::Sha1).toHex().left(16));
    const QString name = QStringLiteral("KRVLauncher-%1-%2").arg(::getuid()).arg(hash);
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? name : runtime + QLatin1Char('/') + name;
}

bool QtPlatform::activateRunningCopy(const std::string& caption) {
    return askRunningCopy(instanceKey(caption).toStdString());
}

void QtPlatform::registerRunningCopy(const std::string& caption) {
    if (!runningCopyListener_)
        runningCopyListener_ = new RunningCopyListener(
            instanceKey(caption).toStdString(), [this] { bringMainWindowToFront(); }, this);
}

void QtPlatform::bringMainWindowToFront() {
    if (!mainWindow_)
        return;
    if (mainWindow_->isMinimized())
        mainWindow_->showNormal();
    else
        mainWindow_->show();
    mainWindow_->raise();
    mainWindow_->activateWindow();
}

void QtPlatform::processEvents() {
    QApplication::processEvents();
}

void QtPlatform::paintWindows() {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtPlatform::endProcessNow(int exitCode) {
    std::fflush(nullptr);
    ::_exit(exitCode);
}

} // namespace krv
