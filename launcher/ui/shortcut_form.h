#pragma once
// ShortcutForm ("Create Shortcut"): where to put the shortcuts of the
// current launch and whether its map goes into their name; in its second
// mode, the choice of the model pack cleanup.

#include <QDialog>
#include <array>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace krv {

class ShortcutForm : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Shortcut, Cleanup };

    ShortcutForm(Mode mode, const std::string& gameName, bool tooltips, QWidget* owner = nullptr);

    // Left with "Cancel" (or closed) rather than "Create" or "Cleanup".
    bool cancelled() const { return cancelled_; }

    QGroupBox* ShortcutFrame;
    std::array<QCheckBox*, 2> chkShortcut{}; // 0 start menu, 1 desktop
    QCheckBox* ChkMapNum;
    std::array<QLabel*, 2> ShortcutLabel{};
    QGroupBox* ModelDelFrame;
    QCheckBox* chkModDel;
    QLabel* Label2;
    QPushButton* OKButton;

private:
    void CheckSelect();
    void CheckDelete();

    bool cancelled_ = true;
};

} // namespace krv
