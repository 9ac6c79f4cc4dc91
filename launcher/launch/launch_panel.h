#pragma once
// The launch's parts of the window, each placed by the main window: the
// Launch button, the command-line frame (the custom command line or the
// engine's edit boxes, and the skill box of the advanced layout), the launch
// mode and screen mode frame, and the command-line preview with its copy
// button. They show the session model; the preview follows every change.

#include "launcher/launch/launch_controller.h"
#include "launcher/ui/control_binder.h"

#include <QWidget>

class QHBoxLayout;
class QLineEdit;

namespace krv {

class LaunchPanel : public QWidget {
    Q_OBJECT
public:
    enum class Part { LaunchButton, CommandLine, LaunchMode, Preview };

    LaunchPanel(Part part, LaunchController& launch, ControlBinder& binder,
                QWidget* parent = nullptr);

    // The command-line frame shows the skill box `box` on its skill row.
    void holdSkillBox(QWidget* box);
    // The preview follows a change once the change's reactions are through.
    void schedulePreview();
    void updatePreview();

signals:
    // The screen-mode caption was double-clicked: the development switches.
    void developmentSwitchesAsked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLaunchButton();
    void buildCommandLine();
    void buildLaunchMode();
    void buildPreview();

    LaunchController& launch_;
    ControlBinder& binder_;
    QHBoxLayout* skillRow_ = nullptr;
    QLineEdit* previewLine_ = nullptr;
    bool previewPending_ = false;
};

} // namespace krv
