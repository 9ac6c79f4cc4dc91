#include "launcher/library/library_controls.h"

namespace krv {

using namespace ids;

void declareLibraryControls(Controls& c) {
    const char* views[] = {"Installed games", "Doom games", "Zip Library"};
    for (int i = 0; i < 3; ++i)
        c.addRadio(OptionUdir[i], OptionUdir[0], {}, views[i]);
    c.add(ImageCM, ControlKind::CheckBox, {}, "Scripted maps");
    const char* headers[] = {"INSTALLED GAMES LIST", "GAME FILES", "MAPS", "SAVEGAMES"};
    for (int i = 0; i < 4; ++i)
        c.add(Auto[i], ControlKind::Label, {}, headers[i]);
    c.add(PwadList, ControlKind::List);
    c.add(GamesFilter, ControlKind::TextBox);
    c.add(PwadShowlist, ControlKind::List);
    const std::pair<ControlId, const char*> entries[] = {
        {mcDeleteFolder, "Uninstall game from list"},
        {mcRenameFolder, "Rename game in list"},
        {Sep3, ""},
        {mcUdirConvert, "Convert Udir to Pwads"},
        {mcGwadConvert, "Convert  Udir to Gwads"},
        {mcShowReadme, "Show readme"},
        {mcUdirUnZip, "Install to Games List"},
        {sep1, ""},
        {mcRenameArchive, "Rename zip file"},
        {mcDeleteArchive, "Delete zip file"},
        {mcGwadUnZip, "Install  to Games List as Gwad"},
        {mcZipReadme, "Show readme"},
        {mcDeleteFile, "Delete file"},
    };
    for (const auto& [entry, caption] : entries)
        c.add(entry, ControlKind::MenuEntry, {}, caption);
}

} // namespace krv
