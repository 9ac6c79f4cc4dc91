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
    connect(AuxButton[8], &QToolButton::clicked, this, &MainForm::CleanupModelPacks);
    connect(ButPurge[2], &QPushButton::clicked, this, &MainForm::CleanupModelPacks);
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
    request.name =
        shortcutName(entry->text().toStdString(), selection_.autoGame, selectedFileEntry());
    const QListWidgetItem* map = MapList->currentItem();
    request.map = map && map->isSelected() ? map->text().toStdString() : std::string();
    shortcutRequest_ = request;
    shortcutMode_ = true;
    if (showsDoomGamesView())
        ComposeIwadLaunch();
    else
        ComposeGameLaunch();
    shortcutMode_ = false;
}

void MainForm::CleanupModelPacks() {
    ShortcutForm dialog(ShortcutForm::Mode::Cleanup, {}, !state_.settings.disableTooltips, this);
    applyLauncherFont(&dialog, state_.font);
    dialog.exec();
    if (dialog.cancelled() || !dialog.chkModDel->isChecked())
        return;
    CleanupModelPacksConfirmed();
}

void MainForm::CleanupModelPacksConfirmed() {
    if (!cleanupConfirmationRemoved(state_.paths.dataFolder) && !platform_.confirmCleanup())
        return;
    deleteModelPacks(state_.paths, {true, true, true}, packs_);
    RefreshModelPacks();
    platform_.showMessage(
        "Important: Close down the launcher before re-installing any model packs.    ",
        msg::kInformation, " Cleanup Completed");
}

} // namespace krv
