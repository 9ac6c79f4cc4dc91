// The window's answers to the launch panel, and the refresh when the player
// comes back from a launch.

#include "launcher/mainwindow/main_form.h"

#include "launcher/inspect/inspect_panel.h"
#include "launcher/launch/launch_panel.h"
#include "launcher/music/music_panel.h"
#include "launcher/options/option_controls.h"
#include "launcher/ui/panel_controls.h"
#include "launcher/ui/qt_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace krv {

class MainFormLaunchHost : public LaunchHost {
public:
    explicit MainFormLaunchHost(MainForm& form) : form_(form) {}

    void controlsToSettings() override { form_.controlsToSettings(); }
    // After a composition the pack options follow the packs found now.
    void settingsToControls() override {
        form_.settingsToControls();
        form_.options_.RefreshModelPacks();
    }
    OptionBoxes availableBoxes() const override { return form_.options_.availableBoxes(); }
    void applyAvailableBoxes(const OptionBoxes& boxes) override {
        form_.options_.applyAvailableBoxes(boxes);
    }
    std::string corpseFadeText() const override { return form_.state_.controls.text(ids::Corpse); }
    void showTextureLocation(const std::string& text) override {
        form_.options_.showTextureLocation(text);
    }
    AutoPlaylist automaticPlaylist(const std::string& iwadPath) override {
        return form_.music_.automaticPlaylist(iwadPath);
    }
    void showIwadDialog() override { form_.iwadForm_->ShowModal(); }
    std::vector<std::string> mapEntries() const override {
        return entriesOf(form_.inspect_->MapList);
    }
    void updateWarpTarget() override { form_.inspect_->updateWarpTarget(); }
    std::string selectedFileEntry() const override { return form_.library_->selectedFileEntry(); }
    void unload() override { form_.unload(); }

private:
    MainForm& form_;
};

std::unique_ptr<LaunchHost> MainForm::makeLaunchHost(MainForm& form) {
    return std::make_unique<MainFormLaunchHost>(form);
}

void MainForm::Reset() {
    state_.launch.launchInProgress = false;
    const std::string slot = state_.launchSelection.startKind == StartKind::LoadGame
                                 ? state_.launchSelection.loadSlot
                                 : std::string();
    library_->SelectGame();
    // The saved game chosen before the launch is chosen again.
    inspect_->chooseSaveGameOfSlot(slot);
    launch_->refreshScreenMode();
}

} // namespace krv
