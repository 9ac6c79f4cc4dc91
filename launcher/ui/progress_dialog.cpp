#include "launcher/ui/progress_dialog.h"

#include "launcher/ui/qt_text.h"

#include <QApplication>
#include <QProgressBar>
#include <QProgressDialog>
#include <QWidget>
#include <algorithm>
#include <climits>

namespace krv {

ProgressDialog::ProgressDialog(QWidget* mainWindow, const std::string& text, std::size_t total) {
    if (mainWindow && !mainWindow->isVisible())
        mainWindow->show();
    const int maximum = static_cast<int>(std::min<std::size_t>(total, INT_MAX));
    dialog_ = new QProgressDialog(qs(text), QStringLiteral("Cancel"), 0, maximum, mainWindow);
    dialog_->setWindowTitle(QStringLiteral(" KRVLauncher"));
    dialog_->setWindowModality(Qt::WindowModal); // the window repaints but takes no clicks
    dialog_->setMinimumDuration(0);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    auto* bar = new QProgressBar(dialog_);
    bar->setFormat(QStringLiteral("%v of %m"));
    dialog_->setBar(bar);
    // A new bar comes with the range 0 to 100; the count needs its own.
    dialog_->setRange(0, maximum);
    dialog_->setValue(0);
    dialog_->show();
    QApplication::processEvents();
}

ProgressDialog::~ProgressDialog() {
    delete dialog_.data();
}

// Drawing the bar and taking the events costs more than a check itself: both
// happen at most every 40 ms, which still feels immediate, and at the end.
bool ProgressDialog::update(std::size_t done) {
    if (!dialog_)
        return false;
    const int value = static_cast<int>(std::min<std::size_t>(done, dialog_->maximum()));
    if (value < dialog_->maximum() && sinceShown_.isValid() && sinceShown_.elapsed() < 40)
        return !dialog_->wasCanceled();
    sinceShown_.start();
    dialog_->setValue(value);
    QApplication::processEvents();
    return !dialog_->wasCanceled();
}

} // namespace krv
