#pragma once
// The help texts the main window shows when the mouse rests on a control,
// in the order they are installed (a control named twice keeps the later
// text). Lines are joined with CR LF.

#include <vector>

namespace krv {

struct HelpText {
    const char* control; // the control's name
    int index;           // its index in a control array, -1 for a single control
    const char* text;
};

const std::vector<HelpText>& mainWindowHelpTexts();

// The six controls that keep a help text of their own beside the table.
const std::vector<HelpText>& mainWindowStandardTips();

// The help texts of the window's own conveniences: the command-line preview
// and its copy button.
const std::vector<HelpText>& mainWindowConvenienceTips();

// Every table above, in the order they are installed; the tooltip switch
// removes and restores them all.
std::vector<const std::vector<HelpText>*> mainWindowHelpTables();

} // namespace krv
