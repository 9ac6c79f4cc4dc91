#include "launcher/inspect/inspect_controls.h"

#include <string>
#include <vector>

namespace krv {

using namespace ids;

void declareInspectControls(Controls& c) {
    c.add(MapList, ControlKind::List);
    c.add(SaveGameList, ControlKind::List);
    // The two boxes list the same entries; their frames say what each is for.
    c.add(StartFrame, ControlKind::Frame, {}, " Start mode ");
    c.add(SkillFrame, ControlKind::Frame, {}, " Skill level ");
    const std::vector<std::string> skills = {" Start game from New",   "1 - I'm too young to die",
                                             "2 - Hey, not too rough", "3 - Hurt me plenty",
                                             "4 - Ultra-Violence",     "5 - NIGHTMARE"};
    for (int box = 0; box < 2; ++box) {
        c.add(SkillsLevel[box], ControlKind::ComboBox);
        std::vector<std::string> entries = skills;
        if (box == 1)
            entries[0] = "Start game from New"; // the second box drops the leading blank
        c.setEntries(SkillsLevel[box], entries);
        c.setCurrentIndex(SkillsLevel[box], 0);
    }
    c.add(mcDelSaveGame, ControlKind::MenuEntry, {}, "Delete savegame");
}

} // namespace krv
