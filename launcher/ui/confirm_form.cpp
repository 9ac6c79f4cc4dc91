#include "launcher/ui/confirm_form.h"

#include "launcher/ui/cleanup_confirmation.h"
#include "launcher/ui/message_box.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace krv {

ConfirmForm::ConfirmForm(QWidget* owner, std::string dataFolder)
    : QDialog(owner), dataFolder_(std::move(dataFolder)) {
    setModal(true);
    setWindowTitle(QStringLiteral("Model pack cleanup"));
    CautionLab[1] = new QLabel(QStringLiteral("CAUTION: continuing will permanently remove all "
                                              "traces of the selected packs"),
                               this);
    CautionLab[2] = new QLabel(
        QStringLiteral(" including any custom changes or tweaks you may have made to these packs."),
        this);
    QFont bold = CautionLab[1]->font();
    bold.setBold(true);
    CautionLab[1]->setFont(bold);
    ChkConfirm = new QCheckBox(QStringLiteral("Don't ask this in the future"), this);
    OKButton = new QPushButton(QStringLiteral("Continue"), this);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ChkConfirm);
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CautionLab[1]);
    layout->addWidget(CautionLab[2]);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(ChkConfirm, &QCheckBox::toggled, this,
            [this](bool on) { setCleanupConfirmationRemoved(dataFolder_, on); });
    connect(OKButton, &QPushButton::clicked, this, [this] {
        continued_ = true;
        accept();
    });
    // Closing the window counts as Cancel: nothing is removed unless the
    // user said so.
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void ConfirmForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    continued_ = false;
    if (parentWidget())
        move(centredOver(ownerRect(parentWidget()), frameGeometry().size()));
}

} // namespace krv
