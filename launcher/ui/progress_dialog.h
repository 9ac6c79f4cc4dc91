#pragma once
// The progress of a long operation (many checks of a game's WADs): a bar
// with the count over the main window, and a Cancel button.

#include "launcher/platform/platform.h"

#include <QElapsedTimer>
#include <QPointer>

class QProgressDialog;
class QWidget;

namespace krv {

class ProgressDialog : public Progress {
public:
    // Shows the main window first when it is not shown yet, so that a long
    // operation during the start-up has a window to show its progress over.
    ProgressDialog(QWidget* mainWindow, const std::string& text, std::size_t total);
    ~ProgressDialog() override;

    bool update(std::size_t done) override;

private:
    QPointer<QProgressDialog> dialog_;
    QElapsedTimer sinceShown_; // since the bar was last drawn
};

} // namespace krv
