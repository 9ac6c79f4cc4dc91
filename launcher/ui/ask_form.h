#pragma once
// AskForm: the one-line name prompt. The caller sets the frame and window
// captions, the initial text and the button caption. A prompt whose frame
// reads " Name " upper-cases what is typed (unless a custom launcher font is
// set) and turns its "Cancel" button into "OK" at the first key.

#include "launcher/platform/platform.h"

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace krv {

class AskForm : public QDialog {
    Q_OBJECT
public:
    AskForm(QWidget* owner, bool customFont);

    void setup(const NamePrompt& prompt);
    NamePromptResult result() const { return result_; }

    QGroupBox* RenameFrame;
    QLineEdit* edProfName;
    QPushButton* OKButton;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void onButton();

    bool customFont_;
    bool keyTyped_ = false;
    NamePromptResult result_;
};

} // namespace krv
