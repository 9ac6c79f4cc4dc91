#pragma once
// FontForm ("Font"): the launcher font chooser. OK keeps the chosen font in
// "font.krv" and Default removes it; both restart the launcher so that
// every window opens with it.

#include "launcher/startup/app_state.h"

#include <QDialog>
#include <array>

class QLabel;
class QListWidget;
class QPushButton;

namespace krv {

class FontForm : public QDialog {
    Q_OBJECT
public:
    FontForm(AppState& state, QWidget* owner = nullptr);

    QListWidget* ListFont;
    QListWidget* ListStyle;
    QListWidget* ListSize;
    QLabel* PreviewLabel;
    std::array<QPushButton*, 3> FontBut{}; // Default, OK, Cancel

signals:
    // The font changed: the main window closes and the launcher restarts.
    void restartWanted();

private:
    void LoadSizeList();
    void PreviewFont();
    void chooseOk();
    void chooseDefault();
    FontSetting chosen() const;

    AppState& state_;
};

} // namespace krv
