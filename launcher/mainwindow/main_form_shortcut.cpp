// Saving the current launch as shortcuts, and the model pack cleanup that
// shares the shortcut dialog.

#include "launcher/mainwindow/main_form.h"

#include "launcher/ui/cleanup_confirmation.h"
#include "launcher/ui/qt_font.h"
#include "launcher/ui/shortcut_form.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

namespace krv {

void MainForm::connectShortcuts() {
    connect(AuxButton[2], &QToolButton::clicked, this, &MainForm::CreateShortcut);
}

void MainForm::CreateShortcut() {
    const QListWidgetItem* entry = PwadList->currentItem();
    if (!entry)
        return;
    const std::string name = entry->text().toStdString();
    ShortcutForm dialog(ShortcutForm::Mode::Shortcut,
                        shortcutLabelName(name, showsDoomGamesView(), state_.font.isSet()),
                        !state_.settings.disableTooltips, this);
    applyLauncherFont(&dialog, state_.font);
    dialog.exec();
    if (dialog.cancelled())
        return;
    ShortcutRequest request;
    request.startMenu = dialog.chkShortcut[0]->isChecked();
    request.desktop = dialog.chkShortcut[1]->isChecked();
    request.mapInName = dialog.ChkMapNum->isChecked();
    CreateShortcutWith(request);
}

// The launch is composed as for a real one; its line goes into the
// shortcuts instead of starting the engine.
void MainForm::CreateShortcutWith(ShortcutRequest request) {
    const QListWidgetItem* entry = PwadList->currentItem();
    if (!entry)
        return;
    request.name = shortcutName(entry->text().toStdString(), state_.gameSelection.autoGame,
                                selectedFileEntry());
    const QListWidgetItem* map = inspect_->MapList->currentItem();
    request.map = map && map->isSelected() ? map->text().toStdString() : std::string();
    launch_->launchIntoShortcuts(request);
}

} // namespace krv
