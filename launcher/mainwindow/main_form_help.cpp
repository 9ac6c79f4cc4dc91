// The main window's help texts: installed from the table of texts on the
// controls they name, and all removed while the player has switched them off.

#include "launcher/mainwindow/main_form.h"

#include "launcher/ui/help_texts.h"

#include <QHash>

namespace krv {

namespace {

// Tooltips show lines broken where the text breaks them.
QString tipText(const char* text) {
    return QString::fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The named controls under `root`, gathered once for a whole table of help
// texts rather than by a search of the window for each of its hundreds of
// texts. Names are unique; the first found is kept all the same.
QHash<QString, QWidget*> controlsByName(const QWidget* root) {
    QHash<QString, QWidget*> named;
    for (QWidget* control : root->findChildren<QWidget*>())
        if (!control->objectName().isEmpty() && !named.contains(control->objectName()))
            named.insert(control->objectName(), control);
    return named;
}

QString objectNameOf(const char* control, int index) {
    return QString::fromStdString(ControlId{control, index}.objectName());
}

} // namespace

// The control a help text names, by its name and array index: every
// control carries its name, an array's entries with their index.
QWidget* MainForm::helpTarget(const char* control, int index) {
    return findChild<QWidget*>(objectNameOf(control, index));
}

void MainForm::ToolTipText(QWidget* within) {
    const QHash<QString, QWidget*> named = controlsByName(within ? within : this);
    for (const auto* table : mainWindowHelpTables())
        for (const HelpText& help : *table)
            if (QWidget* target = named.value(objectNameOf(help.control, help.index)))
                target->setToolTip(tipText(help.text));
}

void MainForm::KillToolTips() {
    const QHash<QString, QWidget*> named = controlsByName(this);
    for (const auto* table : mainWindowHelpTables())
        for (const HelpText& help : *table)
            if (QWidget* target = named.value(objectNameOf(help.control, help.index)))
                target->setToolTip({});
}

} // namespace krv
