#pragma once
// Applies the launcher font of the player's own to every control of a form.

#include "launcher/ui/launcher_font.h"

class QWidget;

namespace krv {

// Every control takes the font's name, bold when it is bold, and its size
// when one is given; a control's other font traits stay.
void applyLauncherFont(QWidget* form, const FontSetting& font);

} // namespace krv
