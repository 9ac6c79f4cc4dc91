#pragma once
// What a panel built alone stands in: a temporary installation root with the
// process-wide state over it, the scripted platform and a window to parent
// the panel's controls.

#include "launcher/platform/scripted_platform.h"
#include "launcher/startup/app_state.h"
#include "support/install_root.h"

#include <QWidget>

namespace krv::test {

struct PanelRig {
    InstallRoot root;
    AppState state;
    ScriptedPlatform platform;
    QWidget window;

    PanelRig() { state.paths = InstallPaths::fromRoot(root.root()); }
};

} // namespace krv::test
