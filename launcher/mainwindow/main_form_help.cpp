// The main window's help texts: installed from the table of texts on the
// controls they name, and all removed while the player has switched them off.

#include "launcher/mainwindow/main_form.h"

#include "launcher/ui/help_texts.h"

namespace krv {

namespace {

// Tooltips show lines broken where the text breaks them.
QString tipText(const char* text) {
    return QString::fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

// The control a help text names, by its name and array index: every
// control carries its name, an array's entries with their index.
QWidget* MainForm::helpTarget(const char* control, int index) {
    return findChild<QWidget*>(QString::fromStdString(ControlId{control, index}.objectName()));
}

void MainForm::ToolTipText(QWidget* within) {
    for (const auto* table : mainWindowHelpTables())
        for (const HelpText& help : *table)
            if (QWidget* target = helpTarget(help.control, help.index);
                target && (!within || within->isAncestorOf(target)))
                target->setToolTip(tipText(help.text));
}

void MainForm::KillToolTips() {
    for (const auto* table : mainWindowHelpTables())
        for (const HelpText& help : *table)
            if (QWidget* target = helpTarget(help.control, help.index))
                target->setToolTip({});
}

} // namespace krv
