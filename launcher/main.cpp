// KRVLauncher: the entry point. Hands the process command line to the entry
// routine and runs the window message loop.

#include "launcher/launcher_app.h"
#include "launcher/mainwindow/main_form.h"
#include "launcher/platform/qt_platform.h"
#include "launcher/platform/session_bus.h"
#include "launcher/ui/help_tips.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QThread>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fontconfig/fontconfig.h>
#include <iostream>
#include <mutex>
#include <thread>

namespace {

std::string executablePath(const char* argv0) {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(argv0) : self.string();
}

// The arguments as the one text the launcher compares against.
std::string commandLineOf(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            line += ' ';
        line += argv[i];
    }
    return line;
}

// Connects Qt's session bus. Where the environment names no bus, libdbus
// finds the display's bus by forking this whole process to run the bus
// launcher; with the GUI library mapped that fork took milliseconds which
// the window's first text then waited for. The launcher runs the bus
// launcher itself with posix_spawn and hands Qt the address under the name
// of Qt's session bus connection, which Qt then takes as its own. When a
// step fails, Qt connects as usual.
void connectSessionBus() {
    const QString sessionBusName = QStringLiteral("qt_default_session_bus");
    if (krv::sessionBusNeedsAutolaunch())
        if (const auto id = krv::localMachineId())
            if (const auto address = krv::autolaunchBusAddress(*id))
                if (!QDBusConnection::connectToBus(QString::fromStdString(*address), sessionBusName)
                         .isConnected())
                    QDBusConnection::disconnectFromBus(sessionBusName);
    QDBusConnection::sessionBus();
}

// Fontconfig lets two threads that find the configuration unread each read
// it and keep one; the launcher has it read once, by whichever thread needs
// it first, the other waiting for the end.
std::once_flag fontConfigRead;
void readFontConfig() {
    std::call_once(fontConfigRead, [] { FcInit(); });
}

} // namespace

int main(int argc, char** argv) {
    // Two things the window's first widget waits for are made ready beside
    // Qt's start, one after the other on one thread:
    // - the session bus, which Qt's accessibility bridge connects to at the
    //   first widget; without a bus address in the environment that means
    //   starting dbus-launch to find one;
    // - the font configuration, which the window's first text needs.
    // Side by side, the two left Qt's own start less of the machine and
    // made it slower. Qt counts the first thread that touches it as the main
    // thread, so this one does first.
    QThread::currentThread();
    std::thread busAndFonts([] {
        connectSessionBus();
        readFontConfig();
    });
    QApplication app(argc, argv);
    // The window's text comes next. When the bus is still being looked for,
    // the font configuration is read here rather than after it.
    readFontConfig();
    // The system's font list is read beside the start's own work rather than
    // in the middle of it, and the fallback fonts of the window's font are
    // found there too.
    std::thread fontList([] {
        QFontDatabase::families();
        QFontMetrics(QGuiApplication::font()).horizontalAdvance(QStringLiteral("Launch"));
    });
    QApplication::setApplicationName(QStringLiteral("KRVLauncher"));
    krv::installHelpTips(app);
    const std::string exe = executablePath(argv[0]);
    // Desktops match the launcher's windows to its registered desktop entry;
    // the windows show its own icon once the main window is up.
    QApplication::setDesktopFileName(QStringLiteral("korvath-launcher"));
    const std::string commandLine = commandLineOf(argc, argv);

    krv::AppState state;
    krv::QtPlatform platform(state.font, state.paths);
    krv::EntryRoutine entry(state, platform);
    krv::LauncherApp windows(state, platform, entry);
    entry.setWindows(&windows);

    // For the demo and for looking at the window without a display: render
    // the main window to a PNG file and close it as a user would. Set before
    // the start, as a dialog shown at start-up (the tip of the day) runs
    // its own loop: it is closed first.
    bool rendered = false;
    if (const char* shot = std::getenv("KRV_SCREENSHOT")) {
        QTimer::singleShot(800, [&windows, &rendered, shot] {
            rendered = true;
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->isModal() && top->isVisible())
                    top->close();
            auto* form = windows.mainForm();
            if (form && form->grab().save(QString::fromLocal8Bit(shot)))
                std::cout << "Main window rendered to " << shot << std::endl;
            if (form)
                form->close();
            QApplication::quit();
        });
    }
    entry.run(exe, commandLine);
    fontList.join();
    busAndFonts.join();
    // Rendered while a start-up dialog ran its own loop: nothing is left to do.
    return rendered ? 0 : app.exec();
}
