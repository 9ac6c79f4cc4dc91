// The window's answers to the library panel, and the window's events that
// the games list takes: dropped files and the IWAD dialog's changes.

#include "launcher/mainwindow/main_form.h"

#include "launcher/options/option_controls.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QListWidget>

namespace krv {

class MainFormLibraryHost : public LibraryHost {
public:
    explicit MainFormLibraryHost(MainForm& form) : form_(form) {}

    void fillMapList(const std::string& gameFile) override {
        form_.inspect_->fillMapList(gameFile);
    }
    void fillSaveGameList(const std::string& folder) override {
        form_.inspect_->FillSaveGameList(folder);
    }
    bool chooseSaveGameOfSlot(const std::string& slot) override {
        return form_.inspect_->chooseSaveGameOfSlot(slot);
    }
    void updateWarpTarget() override { form_.inspect_->updateWarpTarget(); }
    std::string showToolRun(const HiddenRunResult& run) override {
        return form_.inspect_->showToolRun(run);
    }
    void restoreSpriteOptions() override { form_.options_.RestoreSpriteOptions(); }
    void killSpriteOptions() override { form_.options_.KillSpriteOptions(); }
    void greyHiresFrame() override { form_.options_.GreyHiresFrame(); }
    void setGrenadeControlsEnabled(bool enabled) override {
        form_.options_.setGrenadeControlsEnabled(enabled);
    }
    bool developmentMode() const override {
        return form_.state_.controls.isChecked(ids::chkTesting);
    }
    void controlsToSettings() override { form_.controlsToSettings(); }
    void launchIntoShortcuts(const ShortcutRequest& request) override {
        form_.launch_->launchIntoShortcuts(request);
    }

private:
    MainForm& form_;
};

std::unique_ptr<LibraryHost> MainForm::makeLibraryHost(MainForm& form) {
    return std::make_unique<MainFormLibraryHost>(form);
}

void MainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (library_->acceptsDrop(*event->mimeData()))
        event->acceptProposedAction();
}

void MainForm::dropEvent(QDropEvent* event) {
    if (library_->takeDrop(*event->mimeData()))
        event->acceptProposedAction();
}

bool MainForm::showsDoomGamesView() const {
    return library_->showsDoomGamesView();
}

void MainForm::refillDoomGamesView() {
    library_->refillDoomGamesView();
}

void MainForm::clearDoomGamesView() {
    library_->clearDoomGamesView();
}

void MainForm::iwadsAccepted() {
    inspect_->updateWarpTarget();
    show();
    library_->selectFirstDoomGame();
}

} // namespace krv
