#include "launcher/ui/ask_form.h"

#include "launcher/ui/message_box.h"
#include "launcher/ui/qt_text.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace krv {

namespace {
const QString kNameFrame = QStringLiteral(" Name ");
}

AskForm::AskForm(QWidget* owner, bool customFont) : QDialog(owner), customFont_(customFont) {
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    RenameFrame = new QGroupBox(this);
    edProfName = new QLineEdit(RenameFrame);
    edProfName->setMaxLength(255);
    OKButton = new QPushButton(this);
    OKButton->setDefault(true);
    OKButton->setMinimumWidth(90);

    auto* frameLayout = new QHBoxLayout(RenameFrame);
    frameLayout->addWidget(edProfName);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RenameFrame);
    layout->addLayout(buttons);
    setMinimumWidth(340);

    edProfName->installEventFilter(this);
    connect(OKButton, &QPushButton::clicked, this, &AskForm::onButton);
}

void AskForm::setup(const NamePrompt& prompt) {
    RenameFrame->setTitle(qs(prompt.frameCaption));
    setWindowTitle(qs(prompt.windowCaption));
    edProfName->setText(qs(prompt.initialText));
    OKButton->setText(qs(prompt.buttonCaption));
    keyTyped_ = false;
    // Closed other than by its button, the prompt leaves the caller's name
    // buffer and a clear cancel flag.
    result_ = {prompt.nameBuffer, false};
}

void AskForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (parentWidget())
        move(centredOver(ownerRect(parentWidget()), frameGeometry().size()));
    result_.cancelled = false;
    edProfName->setFocus();
    const QString text = edProfName->text();
    qsizetype length = text.size();
    while (length > 0 && text[length - 1] == QLatin1Char(' '))
        --length;
    edProfName->setSelection(0, int(length));
}

bool AskForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edProfName || event->type() != QEvent::KeyPress ||
        RenameFrame->title() != kNameFrame)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const QString typed = key->text();
    if (typed.isEmpty())
        return QDialog::eventFilter(watched, event);
    if (!keyTyped_) {
        keyTyped_ = true;
        OKButton->setText(QStringLiteral("OK"));
    }
    const bool printable = typed.at(0).isPrint();
    if (printable && !customFont_ && typed != typed.toUpper()) {
        edProfName->insert(typed.toUpper());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void AskForm::onButton() {
    if (OKButton->text() == QStringLiteral("Cancel"))
        result_.cancelled = true;
    result_.name = ss(edProfName->text());
    accept();
}

} // namespace krv
