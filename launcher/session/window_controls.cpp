#include "launcher/session/window_controls.h"

namespace krv {

using namespace ids;

void declareWindowControls(Controls& c) {
    const char* tabs[] = {"Games", "Options", "Graphics", "Sound", "Models"};
    for (int i = 0; i < 5; ++i)
        c.addRadio(OptionTabs[i], OptionTabs[0], {}, tabs[i]);
    c.setChecked(OptionTabs[0], true);
    c.add(ChkFrame, ControlKind::Frame, {}, " Launcher Preferences ");
    const char* preferences[] = {"Remember last map",      "Remember last savegame",
                                 "Shortcut creation",      "Disable tooltip text",
                                 "Display wad files only", "Display tip of the day"};
    for (int i = 0; i < 6; ++i)
        c.add(chkLaunchPrefs[i], ControlKind::CheckBox, ChkFrame, preferences[i]);
    // Indexed as the buttons' handlers and help texts are.
    const char* tools[] = {"Install", "Docs", "Shortcut",   "Edit log", "Engine log",
                           "Iwads",   "Font", "Zip folder", "Cleanup",  "Textures"};
    for (int i = 0; i < 10; ++i)
        c.add(AuxButton[i], ControlKind::Button, {}, tools[i]);
    c.add(Home[0], ControlKind::Button, {}, "Website");
    c.add(Home[3], ControlKind::Button, {}, "Downloads");
    c.add(WineImage, ControlKind::Label, {}, "Wine");
    c.setHidden(WineImage, true);
}

} // namespace krv
