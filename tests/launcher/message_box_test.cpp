#include "launcher/platform/qt_platform.h"
#include "launcher/platform/running_copy.h"
#include "launcher/ui/message_box.h"
#include "launcher/ui/progress_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressBar>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace krv;

TEST(MessageBox, CentresOverTheOwnerRoundingHalvesTowardZero) {
    EXPECT_EQ(centredOver(QRect(100, 50, 600, 400), QSize(200, 100)), QPoint(300, 200));
    EXPECT_EQ(centredOver(QRect(100, 50, 601, 401), QSize(200, 100)), QPoint(300, 200));
    // A box larger than its owner, and an owner partly off screen.
    EXPECT_EQ(centredOver(QRect(-300, 0, 100, 100), QSize(301, 101)), QPoint(-400, 0));
}

namespace {

struct Seen {
    QRect box;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    QRect owner; // the owner's rectangle while the box was up
};

// Shows a message over `owner`, records the box and presses `button`.
int showAndPress(QWidget* owner, int style, QMessageBox::StandardButton button, Seen& seen) {
    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->frameGeometry(), box->windowTitle(),          box->text(),
                box->icon(),          int(box->standardButtons()), ownerRect(owner)};
        box->button(button)->click();
    });
    return showCentredMessage(owner, "first line   \r\nsecond line ", style, " Title");
}

} // namespace

TEST(MessageBox, ShowsStylesAndReturnsThePlatformResults) {
    QWidget owner;
    owner.setGeometry(120, 80, 646, 514);
    owner.show();
    Seen seen;
    EXPECT_EQ(showAndPress(&owner, 36, QMessageBox::Yes, seen), msg::kResultYes);
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, int(QMessageBox::Yes | QMessageBox::No));
    EXPECT_EQ(seen.title, " Title");
    EXPECT_EQ(seen.text, "first line   \nsecond line ");
    EXPECT_EQ(showAndPress(&owner, 36, QMessageBox::No, seen), msg::kResultNo);
    EXPECT_EQ(showAndPress(&owner, 16, QMessageBox::Ok, seen), msg::kResultOk);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(showAndPress(&owner, 64, QMessageBox::Ok, seen), msg::kResultOk);
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(showAndPress(&owner, 4096, QMessageBox::Ok, seen), msg::kResultOk);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.box.topLeft(), centredOver(seen.owner, seen.box.size()));
    EXPECT_EQ(seen.owner, owner.frameGeometry());
}

TEST(MessageBox, StaysCentredOnAMinimisedOrOffScreenOwner) {
    QWidget owner;
    owner.setGeometry(-200, 40, 646, 514);
    owner.show();
    owner.showMinimized();
    QApplication::processEvents();
    Seen seen;
    showAndPress(&owner, 64, QMessageBox::Ok, seen);
    EXPECT_EQ(seen.box.topLeft(), centredOver(seen.owner, seen.box.size()));
    EXPECT_EQ(ownerRect(&owner).size(),
              owner.normalGeometry().size() + (owner.frameGeometry().size() - owner.size()));
}

TEST(RunningCopy, ASecondCopyBringsTheFirstWindowBackAndFindsItByCaption) {
    const FontSetting font;
    const InstallPaths paths;
    QtPlatform first(font, paths);
    QtPlatform second(font, paths);
    QWidget window;
    window.show();
    window.showMinimized();
    first.setMainWindow(&window);
    const std::string caption = "KRVLauncher v9.1  and  Test copy " + std::to_string(::getpid());
    EXPECT_FALSE(second.activateRunningCopy(caption));
    first.registerRunningCopy(caption);
    EXPECT_FALSE(second.activateRunningCopy(caption + "x"));
    ASSERT_TRUE(second.activateRunningCopy(caption));
    QElapsedTimer wait;
    wait.start();
    while (window.isMinimized() && wait.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isVisible());
}

TEST(RunningCopy, IsKeptApartPerDisplayInTheRuntimeFolder) {
    const FontSetting font;
    const InstallPaths paths;
    QtPlatform first(font, paths);
    QtPlatform second(font, paths);
    const std::string caption = "KRVLauncher v9.1  and  Display copy " + std::to_string(::getpid());
    const QByteArray saved = qgetenv("DISPLAY");
    qputenv("DISPLAY", ":7");
    first.registerRunningCopy(caption);
    qputenv("DISPLAY", ":8.0");
    EXPECT_FALSE(second.activateRunningCopy(caption));
    qputenv("DISPLAY", ":7.0");
    EXPECT_TRUE(second.activateRunningCopy(caption));
    // The socket is in the user's runtime folder, not the shared temp folder.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    EXPECT_TRUE(QtPlatform::instanceKey(caption).startsWith(runtime + "/"));
    EXPECT_TRUE(QFileInfo::exists(QtPlatform::instanceKey(caption)));
    if (saved.isNull())
        qunsetenv("DISPLAY");
    else
        qputenv("DISPLAY", saved);
}

// A copy that crashed leaves its socket file; the next copy takes it over,
// and removes it when it ends. A copy still listening is never displaced.
TEST(RunningCopy, ASocketFileLeftByACrashedCopyIsTakenOver) {
    const std::string path =
        QtPlatform::instanceKey("Crashed copy " + std::to_string(::getpid())).toStdString();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    std::copy(path.begin(), path.end(), address.sun_path);
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(stale); // bound, never listened: what a crash leaves
    EXPECT_FALSE(krv::askRunningCopy(path));

    int requests = 0;
    {
        krv::RunningCopyListener first(
            path, [&requests] { ++requests; }, nullptr);
        ASSERT_TRUE(first.isListening());
        krv::RunningCopyListener second(
            path, [] {}, nullptr);
        EXPECT_FALSE(second.isListening());
        EXPECT_TRUE(krv::askRunningCopy(path)); // the first one still answers
        QElapsedTimer wait;
        wait.start();
        while (requests < 2 && wait.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_EQ(requests, 2); // the second's own probe, then the request
    }
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path)));
}

TEST(ProgressDialog, TheBarCountsUpToTheTotal) {
    krv::ProgressDialog progress(nullptr, "Checking 1024 wads of the game...", 1024);
    EXPECT_TRUE(progress.update(500));
    QProgressBar* bar = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QProgressDialog*>(top))
            bar = dialog->findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->maximum(), 1024);
    EXPECT_EQ(bar->text(), "500 of 1024");
}
