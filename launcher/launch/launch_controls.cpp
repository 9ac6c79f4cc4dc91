#include "launcher/launch/launch_controls.h"

namespace krv {

using namespace ids;

void declareLaunchControls(Controls& c) {
    c.add(LaunchButton, ControlKind::Button, {}, "Launch");
    c.add(ContinueButton, ControlKind::Button, {}, "Continue");
    c.setEnabled(ContinueButton, false);
    c.add(FrameGlobal[0], ControlKind::Frame, {}, "  Command Line  ");
    c.add(FrameGlobal[1], ControlKind::Frame, FrameGlobal[0]);
    c.add(FrameGlobal[2], ControlKind::Frame, FrameGlobal[0]);
    c.setHidden(FrameGlobal[2], true);
    c.add(SelButton, ControlKind::Button, FrameGlobal[0], "Switch");
    c.add(SkillCaption, ControlKind::Label, FrameGlobal[0], "Skill:");
    c.add(edCustom, ControlKind::TextBox, FrameGlobal[1]);
    c.add(LightText, ControlKind::TextBox, FrameGlobal[2], "200");
    c.add(KRVFrame, ControlKind::Frame, {}, " Launch Mode ");
    const char* modes[] = {"Normal", "Minimised", "Exit"};
    for (int i = 0; i < 3; ++i)
        c.addRadio(ExitOption[i], KRVFrame, KRVFrame, modes[i]);
    c.setHidden(ExitOption[0], true); // a development switch, shown with the testing option
    c.add(DevMode, ControlKind::Label, KRVFrame, "Screen:");
    c.add(ResLabel[1], ControlKind::Label, KRVFrame, "Default Resolution");
    c.add(ResLabel[2], ControlKind::Label, KRVFrame);
    c.add(ResLabel[3], ControlKind::Label, KRVFrame);
}

} // namespace krv
