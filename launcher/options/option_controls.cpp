#include "launcher/options/option_controls.h"

#include <initializer_list>

namespace krv {

using namespace ids;

namespace {

// The entries of a box array, each with its caption; `frame` holds them.
void addBoxes(Controls& c, ControlArray boxes, std::initializer_list<const char*> captions,
              std::optional<ControlId> frame = {}) {
    int i = 0;
    for (const char* caption : captions)
        c.add(boxes[i++], ControlKind::CheckBox, frame, caption);
}

void declareOptionsTab(Controls& c) {
    addBoxes(c, chkMain,
             {"Basic Doom", "High resolution textures", "Advanced options", "Light", "No objects",
              "Edit  mode", "No monsters", "Verbose"});
    addBoxes(c, chkKRVOpts,
             {"Disable mouse", "Disable joystick", "Allow hi-res relocation",
              "Resurrect corpses with fade", "Spare", "Fast monsters", "No same type in-fighting",
              "No lost soul in-fighting", "Monster respawn"});
    c.setHidden(chkKRVOpts[4], true); // a spare entry
    c.add(GraphicFrames[3], ControlKind::Frame, {}, " Corpse Fade ");
    c.add(TexLabel[1], ControlKind::Label, GraphicFrames[3], "Seconds before corpse fade");
    c.add(butleft, ControlKind::Button, GraphicFrames[3]);
    c.add(Corpse, ControlKind::TextBox, GraphicFrames[3], "9");
    c.add(butRight, ControlKind::Button, GraphicFrames[3]);
    c.add(ChkGL, ControlKind::CheckBox, {}, "Grenade launcher");
    c.add(butLeft2, ControlKind::Button);
    c.add(Timeout, ControlKind::TextBox, {}, "2");
    c.add(butRight2, ControlKind::Button);
    c.add(chkTesting, ControlKind::CheckBox, {}, "Development mode");
    c.setHidden(chkTesting, true); // shown by a double click on the screen-mode caption
}

void declareGraphicsTab(Controls& c) {
    c.add(GraphicFrames[5], ControlKind::Frame, {}, " Graphics Options ");
    addBoxes(c, chkGraphics,
             {"Spare", "Spare", "Detail textures", "Skyboxes", "High resolution patches"},
             GraphicFrames[5]);
    c.setHidden(chkGraphics[0], true);
    c.setHidden(chkGraphics[1], true);
    c.addRadio(SkyOpt[0], SkyOpt[0], GraphicFrames[5], "2");
    c.addRadio(SkyOpt[1], SkyOpt[0], GraphicFrames[5], "1");
    c.add(TexPathLabel, ControlKind::Label, GraphicFrames[5], "Hi-res location");
    c.setHidden(TexPathLabel, true);

    c.add(GraphicFrames[4], ControlKind::Frame, {}, " Lighting Effects ");
    c.add(chkEffects[0], ControlKind::CheckBox, GraphicFrames[4], "Dynamic lighting");
    c.add(chkEffects[1], ControlKind::CheckBox, {}, "Spare");
    c.setHidden(chkEffects[1], true);
    c.add(chkEffects[2], ControlKind::CheckBox, GraphicFrames[4], "Splash effects");
    c.add(chkEffects[3], ControlKind::CheckBox, {}, "Extra FX");

    c.add(GraphicFrames[1], ControlKind::Frame, {}, " Model Skin Scaling Levels ");
    c.add(cbScaler, ControlKind::ComboBox, GraphicFrames[1]);
    c.setEntries(cbScaler, {"0", "1", "2", "3", "4"});
    c.setCurrentIndex(cbScaler, 0);
    c.add(TexLabel[0], ControlKind::Label, GraphicFrames[1]);

    // The model effects frame: the gun smoke of the model packs' weapons.
    c.add(FrameModel[1], ControlKind::Frame, {}, " Model Effects ");
    c.add(GunSmoke, ControlKind::CheckBox, FrameModel[1], "Gun smoke");
    c.addRadio(Smoke[0], Smoke[0], FrameModel[1], "2");
    c.addRadio(Smoke[1], Smoke[0], FrameModel[1], "1");
}

void declareSoundTab(Controls& c, ControlId musicFrame) {
    const char* captions[] = {"Disable sound",
                              "Disable music",
                              " Enable ricochets",
                              "3DSound",
                              "Auto",
                              "Manual",
                              "Hi-Res sound pack ",
                              "Spare",
                              "Spare",
                              "Force Fmod midi",
                              "Ignore playlist if custom music"};
    // The playlist modes and the custom-music box sit in the playlists'
    // frame, which the music rules make unavailable as a whole.
    for (int i = 0; i < 11; ++i) {
        const bool inMusicFrame = i == 4 || i == 5 || i == 10;
        c.add(chkSound[i], ControlKind::CheckBox,
              inMusicFrame ? std::optional<ControlId>(musicFrame) : std::nullopt, captions[i]);
    }
    c.setHidden(chkSound[7], true);
    c.setHidden(chkSound[8], true);
    c.add(RicoButton[0], ControlKind::Button);
    c.add(Ricotext, ControlKind::TextBox, {}, "4");
    c.add(RicoButton[1], ControlKind::Button);
    c.add(ChannelsLabel, ControlKind::Label, {}, "Audio channels");
    c.add(cbChannels, ControlKind::ComboBox);
    c.setEntries(cbChannels, {"64", "128"});
    c.setCurrentIndex(cbChannels, 0);
}

void declareModelsTab(Controls& c) {
    c.add(FrameModel[0], ControlKind::Frame, {}, " Model Packs ");
    addBoxes(c, chkAltModels,
             {"Brasken pistol packing zombies", "Quilspack weapons MOD",
              "Quilspack alternative weapons MOD", "Brasken and Quils model replacements"},
             FrameModel[0]);
    // The model options work without the base pack too.
    c.add(ModelOptsFrame, ControlKind::Frame, {}, " Model Options ");
    c.add(ChkModelOpts[1], ControlKind::CheckBox, ModelOptsFrame, "No forced models");
    c.add(ChkModelOpts[2], ControlKind::CheckBox, ModelOptsFrame, "FX");
    c.add(ChkModelOpts[3], ControlKind::CheckBox, ModelOptsFrame, "Core Effects");
    c.add(ModelDelFrame, ControlKind::Frame, {}, " Maintenance ");
    const char* purge[] = {"Purge savegames", "Purge nodes", "Model pack cleanup"};
    for (int i = 0; i < 3; ++i)
        c.add(ButPurge[i], ControlKind::Button, ModelDelFrame, purge[i]);
    c.add(ModFrame, ControlKind::Frame);
    c.setHidden(ModFrame, true);
    const char* advice[] = {"Vuziduza35 requires the new v3 model packs",
                            "these can be obtained from the Website",
                            "Use the cleanup tool prior to installation"};
    for (int i = 0; i < 3; ++i)
        c.add(ModLabel[i], ControlKind::Label, ModFrame, advice[i]);
}

} // namespace

void declareOptionControls(Controls& controls, ControlId musicFrame) {
    declareOptionsTab(controls);
    declareGraphicsTab(controls);
    declareSoundTab(controls, musicFrame);
    declareModelsTab(controls);
}

} // namespace krv
