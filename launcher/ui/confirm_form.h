#pragma once
// ConfirmForm: asks before the model pack cleanup removes packs for good,
// with a box that turns the question off through "confirm.krv".

#include <QDialog>
#include <array>
#include <string>

class QCheckBox;
class QLabel;
class QPushButton;

namespace krv {

class ConfirmForm : public QDialog {
    Q_OBJECT
public:
    ConfirmForm(QWidget* owner, std::string dataFolder);

    // True when the user chose "Continue".
    bool continued() const { return continued_; }

    std::array<QLabel*, 3> CautionLab{}; // 1 and 2 are used
    QCheckBox* ChkConfirm;
    QPushButton* OKButton;
    QPushButton* CancelButton;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::string dataFolder_;
    bool continued_ = false;
};

} // namespace krv
