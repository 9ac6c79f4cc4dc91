#pragma once
// Owns the launcher's windows for the entry routine: loads and shows the
// main window and tears every window down for the shutdown routine.

#include "launcher/startup/entry_routine.h"

#include <memory>

namespace krv {

class MainForm;
class QtPlatform;

class LauncherApp : public LauncherWindows {
public:
    LauncherApp(AppState& state, QtPlatform& platform, EntryRoutine& entry);
    ~LauncherApp() override;

    void loadMainWindow() override;
    void showMainWindow() override;
    void finishMainWindow() override;
    void showTipOfTheDay() override;
    void unloadAllWindows() override;

    MainForm* mainForm() const { return mainForm_.get(); }

private:
    AppState& state_;
    QtPlatform& platform_;
    EntryRoutine& entry_;
    std::unique_ptr<MainForm> mainForm_;
};

} // namespace krv
