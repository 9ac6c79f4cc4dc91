#include "launcher/ui/help_texts.h"

namespace krv {

const std::vector<HelpText>& mainWindowHelpTexts() {
    static const std::vector<HelpText> texts = {
        {"chkSound", 0, "Disables all sound and music."},
        {"chkSound", 1, "Disables music only."},
        {"chkSound", 2, "Hear bullets ricochet off walls and floors."},
        {"chkSound", 3,
         "Positional 3D sound, best with headphones"
         "\r\n"
         "or a surround speaker set."},
        {"chkSound", 5, "Manually load a selected playlist."},
        {"chkSound", 4,
         "Automatically load preselected playlists for different iwads, this\r\n"
         "also translates to any pwads that have no music replacements."},
        {"chkSound", 6,
         "Varnholt's SFX sound replacements for Doom.\r\n"
         "More about the pack: https://korvath.org/soundpack/"},
        {"chkSound", 7, "Reserved for a future sound option."},
        {"chkSound", 9, "Force Fmod to play midi instead of Korvath's internal midi sequencer."},
        {"chkSound", 10,
         "Custom map music in pwads will take\r\n"
         " precedence over any playlist settings."},
        {"Ricotext", -1,
         "Interval rate in which you hear ricochets.\r\n"
         " 1 - being the most frequently heard. \r\n"
         " 9 - being the least frequently heard."},
        {"cbChannels", -1,
         "Best left at the default value of 128, further\r\n"
         "information can be found in the KRV_sound.txt."},
        {"cbScaler", -1,
         "Scales model skins down to save video memory,\r\n"
         "0 keeps the best quality."},
        {"butMusic", 0, "Create a new playlist - new music for each map."},
        {"butMusic", 1, "Open an existing playlist for editing purposes."},
        {"butMusic", 2, "Delete a playlist."},
        {"chkGraphics", 1, "Reserved for a future graphics option."},
        {"chkGraphics", 2,
         "Fine detail textures on walls and floors\r\n"
         "when looked at up close."},
        {"chkGraphics", 3, "Replace the flat skies with skyboxes."},
        {"chkGraphics", 4, "High resolution status bar, menus and fonts."},
        {"SkyOpt", 0, "Draw skyboxes with two layers."},
        {"SkyOpt", 1, "Draw skyboxes with one layer, faster."},
        {"chkMain", 1, "High resolution wall and floor textures."},
        {"Corpse", -1, "Seconds a corpse stays before it fades away."},
        {"chkEffects", 0, "Light sources light up their surroundings."},
        {"chkEffects", 1, "Reserved for a future lighting option."},
        {"chkEffects", 2, "Splashes when shots hit water, slime or lava."},
        {"chkEffects", 3, "Extra particle effects of the model pack."},
        {"Smoke", 0, "Thick gun smoke."},
        {"Smoke", 1, "Light gun smoke."},
        {"GunSmoke", -1, "Smoke from the barrels of firing guns."},
        {"AuxButton", 0,
         "Install a pwad to the games list, either\r\n"
         "zipped or unzipped files can be installed."},
        {"AuxButton", 1, "Korvath documentation and help files.  "},
        {"AuxButton", 2, "Create a shortcut using the current launcher settings."},
        {"AuxButton", 3, "View edit.out file for amended texture offsets."},
        {"AuxButton", 4, "View Korvath.out file."},
        {"AuxButton", 5, "Set the locations of your Doom iwads."},
        {"AuxButton", 6, "Change launcher font."},
        {"AuxButton", 7, "Specify the location of your zipped wad files."},
        {"AuxButton", 8, "Model pack cleanup tool."},
        {"LaunchButton", -1, "Start Korvath with the selected game and options."},
        {"SkillsLevel", 0,
         "Start a new game or choose the skill\r\n"
         "to start the selected map with."},
        {"SkillsLevel", 1, "The skill the selected map is played at."},
        {"chkMain", 0,
         "Play with the original sprites and effects,\r\n"
         "no models and no extras."},
        {"chkMain", 2, "Show all launcher options and the zip library."},
        {"chkMain", 3, "Set the light level used in edit mode."},
        {"chkMain", 4, "Hide the objects of the map in edit mode."},
        {"chkMain", 5,
         "Start in the texture edit mode,\r\n"
         "amended offsets are written to edit.out."},
        {"chkMain", 6, "Play the maps without any monsters."},
        {"chkMain", 7, "Korvath writes more information to Korvath.out."},
        {"OptionUdir", 1, "The commercial Doom games found on this computer."},
        {"OptionUdir", 0, "The games installed in the games list."},
        {"OptionUdir", 2, "The zip files of the zip library."},
        {"edCustom", -1,
         "The majority of command line parameters are covered by\r\n"
         "launcher options, additional information can be found\r\n"
         "in the documentation under Help - KRV_Cmdline.txt."},
        {"SelButton", -1, "Toggle between KRV edit and the command line."},
        {"chkKRVOpts", 0, "Play without the mouse."},
        {"chkKRVOpts", 1, "Play without a joystick or gamepad."},
        {"AuxButton", 9,
         "Specify hi-res textures and patches location, only useful\r\n"
         "if multiple instances of Korvath are used for one location."},
        {"TexPathLabel", -1,
         "Specify hi-res textures and patches location, only useful\r\n"
         "if multiple instances of Korvath are used for one location."},
        {"chkKRVOpts", 3,
         "Dead monsters come back to life and fade\r\n"
         "away after the seconds set below."},
        {"chkKRVOpts", 5, "Monsters move and attack faster."},
        {"chkKRVOpts", 7, " \r\nPrevent Lost Souls from inflicting damage on each other."},
        {"chkKRVOpts", 8, "Killed monsters come back after a while."},
        {"chkKRVOpts", 6,
         "Prevent monsters of one kind from\r\n"
         "inflicting damage on each other."},
        {"chkLaunchPrefs", 0, "Select the map last played when a game is selected again."},
        {"chkLaunchPrefs", 1, "Select the savegame last loaded when a game is selected again."},
        {"chkLaunchPrefs", 3,
         "Removes all the tooltip text from the launcher.\r\n"
         "Hint - this is what you are currently viewing."},
        {"chkLaunchPrefs", 2, "Show the button that saves the launch as a shortcut."},
        {"chkLaunchPrefs", 4, "List only the wad files of a game."},
        {"chkLaunchPrefs", 5, "Show tip of the day."},
        {"ChkGL", -1, "Replace the rocket launcher with a grenade launcher."},
        {"chkTesting", -1, "Start Korvath with its development switches."},
        {"Timeout", -1, "Seconds before a grenade explodes,\r\n0 makes pipebombs."},
        {"ButPurge", 0, "Remove all saved games."},
        {"ButPurge", 1, "Remove all nodes built for the maps you have played."},
        {"ButPurge", 2, "Model pack cleanup tool."},
        {"ExitOption", 1, "Minimise the launcher while Korvath runs."},
        {"ExitOption", 2, "Close the launcher when Korvath starts."},
        {"ChkModelOpts", 1, "Do not force models on pwads that bring their own sprites."},
        {"ChkModelOpts", 2, "Original sprites with the lighting effects."},
        {"ChkModelOpts", 3,
         "Models without the extra model effects,\r\nfaster on older computers."},
        {"chkAltModels", 0, "Zombies carry pistols in the Brasken models."},
        {"chkAltModels", 1, "Quilspack weapon models and sounds."},
        {"chkAltModels", 2, "Quilspack alternative weapon models."},
        {"chkAltModels", 3, "Brasken and Quils replacements of the standard models."},
    };
    return texts;
}

const std::vector<HelpText>& mainWindowStandardTips() {
    static const std::vector<HelpText> tips = {
        {"MapList", -1, "  Select map for startup.  "},
        {"SaveGameList", -1, "  Right click on savegame for tasks menu.  "},
        {"Home", 0, "  Korvath Website.  "},
        {"Home", 3, "  Korvath model pack downloads.  "},
        {"TitlePic", -1, "  Double click to cycle through themes.  "},
        {"ImageCM", -1, " Toggle Korvath scripted maps if installed. "},
        {"Auto", 0, " Toggle Korvath scripted maps if installed. "},
    };
    return tips;
}

const std::vector<HelpText>& mainWindowConvenienceTips() {
    static const std::vector<HelpText> tips = {
        {"PreviewLine", -1,
         "The engine's command line, as\r\n"
         "Launch would start it with the\r\n"
         "current selection and options."},
        {"CopyCommand", -1, "Copy the command line to the clipboard."},
    };
    return tips;
}

std::vector<const std::vector<HelpText>*> mainWindowHelpTables() {
    return {&mainWindowHelpTexts(), &mainWindowStandardTips(), &mainWindowConvenienceTips()};
}

} // namespace krv
