#include "launcher/ui/shortcut_form.h"

#include "launcher/ui/qt_text.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace krv {

ShortcutForm::ShortcutForm(Mode mode, const std::string& gameName, bool tooltips, QWidget* owner)
    : QDialog(owner) {
    setWindowTitle(mode == Mode::Cleanup ? QStringLiteral("Model Pack Cleanup")
                                         : QStringLiteral("Create Shortcut"));
    ShortcutFrame = new QGroupBox(this);
    auto* shortcut = new QVBoxLayout(ShortcutFrame);
    ShortcutLabel[0] = new QLabel(QStringLiteral("Shortcut for:"), ShortcutFrame);
    ShortcutLabel[1] = new QLabel(qs(gameName), ShortcutFrame);
    QFont bold = ShortcutLabel[1]->font();
    bold.setBold(true);
    ShortcutLabel[1]->setFont(bold);
    chkShortcut[0] = new QCheckBox(QStringLiteral(" Add Start Menu Shortcut"), ShortcutFrame);
    chkShortcut[1] = new QCheckBox(QStringLiteral(" Add Desktop Shortcut"), ShortcutFrame);
    ChkMapNum = new QCheckBox(QStringLiteral(" Include map in Shortcut"), ShortcutFrame);
    for (QWidget* w : std::initializer_list<QWidget*>{ShortcutLabel[0], ShortcutLabel[1],
                                                      chkShortcut[0], chkShortcut[1], ChkMapNum})
        shortcut->addWidget(w);

    ModelDelFrame = new QGroupBox(QStringLiteral(" Remove Korvath  Models"), this);
    auto* cleanup = new QVBoxLayout(ModelDelFrame);
    chkModDel = new QCheckBox(QStringLiteral("Remove all models"), ModelDelFrame);
    Label2 = new QLabel(QStringLiteral("Cleanup all previously installed models prior to "
                                       "installing a new major version or re-installing a "
                                       "corrupted pack."),
                        ModelDelFrame);
    Label2->setWordWrap(true);
    cleanup->addWidget(chkModDel);
    cleanup->addWidget(Label2);

    OKButton = new QPushButton(QStringLiteral("Cancel"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ShortcutFrame);
    layout->addWidget(ModelDelFrame);
    layout->addWidget(OKButton, 0, Qt::AlignRight);
    setMinimumWidth(320);

    if (tooltips) {
        const char* line = "This will be located in the Korvath shortcuts folder.\n"
                           "Note: All current settings and options will be used.";
        chkShortcut[0]->setToolTip(
            QStringLiteral("Create a Start Menu shortcut for the selected map.\n") + line);
        chkShortcut[1]->setToolTip(
            QStringLiteral("Create a Desktop shortcut for the selected map.\n") + line);
        ChkMapNum->setToolTip(
            QStringLiteral("Will also display the map number with the shortcut."));
        chkModDel->setToolTip(QStringLiteral("Remove all traces of the models pack."));
    }
    ShortcutFrame->setVisible(mode == Mode::Shortcut);
    ModelDelFrame->setVisible(mode == Mode::Cleanup);
    connect(chkShortcut[0], &QCheckBox::toggled, this, &ShortcutForm::CheckSelect);
    connect(chkShortcut[1], &QCheckBox::toggled, this, &ShortcutForm::CheckSelect);
    connect(chkModDel, &QCheckBox::toggled, this, &ShortcutForm::CheckDelete);
    connect(OKButton, &QPushButton::clicked, this, [this] {
        cancelled_ = OKButton->text() == QLatin1String("Cancel");
        accept();
    });
    CheckSelect();
}

void ShortcutForm::CheckSelect() {
    const bool any = chkShortcut[0]->isChecked() || chkShortcut[1]->isChecked();
    OKButton->setText(any ? QStringLiteral("Create") : QStringLiteral("Cancel"));
    ChkMapNum->setEnabled(any);
}

void ShortcutForm::CheckDelete() {
    OKButton->setText(chkModDel->isChecked() ? QStringLiteral("Cleanup")
                                             : QStringLiteral("Cancel"));
}

} // namespace krv
