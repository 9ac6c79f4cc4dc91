#pragma once
// TipsForm ("Tips for running the launcher"): the lines of "tips.txt" one
// at a time, going on after the tip shown last.

#include "launcher/startup/install_paths.h"
#include "launcher/startup/settings.h"
#include "launcher/ui/launcher_font.h"

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;

namespace krv {

class TipsForm : public QDialog {
    Q_OBJECT
public:
    TipsForm(Settings& settings, const InstallPaths& paths, const FontSetting& font,
             QWidget* owner = nullptr);

    // Shows the tip after the one shown last, the first after the last.
    void NextTip();

    QLabel* TipLabel;
    QPushButton* NextButton;
    QCheckBox* chkShowTips;
    QPushButton* OKButton;

signals:
    // The player no longer wants tips at start-up.
    void tipsSwitchedOff();

private:
    Settings& settings_;
    const InstallPaths& paths_;
    const FontSetting& font_;
    std::optional<std::vector<std::string>> tips_; // nothing when tips.txt was not read
};

} // namespace krv
