#pragma once
// FontForm ("Font"): the launcher font chooser. OK keeps the chosen font in
// "font.krv" and Default removes it; both restart the launcher so that
// every window opens with it.

#include "launcher/startup/install_paths.h"
#include "launcher/ui/launcher_font.h"

#include <QDialog>
#include <array>

class QLabel;
class QListWidget;
class QPushButton;

namespace krv {

class FontForm : public QDialog {
    Q_OBJECT
public:
    // A new font, or the standard font again, asks for `restartRequested`.
    FontForm(FontSetting& font, const InstallPaths& paths, bool& restartRequested,
             QWidget* owner = nullptr);

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

    FontSetting& font_;
    const InstallPaths& paths_;
    bool& restartRequested_;
};

} // namespace krv
